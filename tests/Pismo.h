#pragma once

#include <QApplication>
#include <QFont>
#include <QScreen>

namespace vantrel::test {

// The desktop's font while it lives: DejaVu Sans `nasobek` times as large as the text the windows
// are designed for, 12 pixels to the em at 96 dpi, on the screen's resolution.
class TPismo {
public:
    explicit TPismo(double nasobek) : puvodni_(QApplication::font()) {
        const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        em_ = qRound(12 * nasobek * dpi / 96);
        QFont pismo(QStringLiteral("DejaVu Sans"));
        pismo.setPixelSize(em_);
        QApplication::setFont(pismo);
    }
    ~TPismo() { QApplication::setFont(puvodni_); }
    TPismo(const TPismo&) = delete;
    TPismo& operator=(const TPismo&) = delete;

    // How many times larger than designed the text is.
    double Meritko() const { return em_ / 12.0; }

private:
    QFont puvodni_;
    int em_ = 0;
};

} // namespace vantrel::test
