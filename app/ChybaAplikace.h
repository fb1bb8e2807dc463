#pragma once

#include <QApplication>
#include <exception>
#include <utility>

namespace vantrel {

class THlaseni;

// The application's general error report: the error's text in a message box with the error
// icon and the application's title as caption, a full stop appended when the text's last
// character's code lies above that of the full stop. The action in which the error arose is
// abandoned and the program goes on.
// Every error's text is UTF-8; a path in it is the file name's own bytes.
void ZobrazChybu(const THlaseni& hlaseni, const std::exception& chyba);
void ZobrazChybu(const THlaseni& hlaseni, const QString& text);

// Runs `akce` and reports any exception it raises, so that none crosses the event loop.
template <typename F> void Chranene(const THlaseni& hlaseni, F&& akce) {
    try {
        std::forward<F>(akce)();
    } catch (const std::exception& chyba) {
        ZobrazChybu(hlaseni, chyba);
    } catch (...) {
        ZobrazChybu(hlaseni, QStringLiteral("Unknown error"));
    }
}

// The application: reports what an event handler raises instead of letting it end the program.
class TAplikace : public QApplication {
public:
    TAplikace(int& argc, char** argv, const THlaseni& hlaseni);
    bool notify(QObject* prijemce, QEvent* udalost) override;

private:
    const THlaseni& hlaseni_;
};

} // namespace vantrel
