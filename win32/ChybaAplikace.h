#pragma once

#include <exception>
#include <string>
#include <utility>

namespace vantrel {
class THlaseni;
}

namespace vantrel::okna {

// The application's title: the main window's in every language, and the error report's caption.
inline constexpr char16_t TitulekAplikace[] = u"Vantrel";

// The application's general error report: the error's text in a message box with the error
// icon and the application's title, "Vantrel", as caption, a full stop appended when the text's
// last character's code lies above that of the full stop. The action in which the error arose
// is abandoned and the program goes on. Every error's text is UTF-8.
void ZobrazChybu(const THlaseni& hlaseni, const std::exception& chyba);
void ZobrazChybu(const THlaseni& hlaseni, const std::u16string& text);

// Runs `akce` and reports any exception it raises, so that none crosses a window procedure.
template <typename F> void Chranene(const THlaseni& hlaseni, F&& akce) {
    try {
        std::forward<F>(akce)();
    } catch (const std::exception& chyba) {
        ZobrazChybu(hlaseni, chyba);
    } catch (...) {
        ZobrazChybu(hlaseni, u"Unknown error");
    }
}

} // namespace vantrel::okna
