#include "app/ChybaAplikace.h"

#include "support/Hlaseni.h"

#include <QProxyStyle>

namespace vantrel {

namespace {

// Tooltips come after the pointer has rested for half a second.
class TStylAplikace : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* volba, const QWidget* widget,
                  QStyleHintReturn* vysledek) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 500;
        return QProxyStyle::styleHint(hint, volba, widget, vysledek);
    }
};

} // namespace

void ZobrazChybu(const THlaseni& hlaseni, const QString& text) {
    QString zprava = text;
    if (!zprava.isEmpty() && zprava.back().unicode() > u'.')
        zprava += u'.';
    hlaseni.Zobraz(thChyba, zprava.toStdU16String(),
                   QGuiApplication::applicationDisplayName().toStdU16String(), 0);
}

void ZobrazChybu(const THlaseni& hlaseni, const std::exception& chyba) {
    ZobrazChybu(hlaseni, QString::fromUtf8(chyba.what()));
}

TAplikace::TAplikace(int& argc, char** argv, const THlaseni& hlaseni)
    : QApplication(argc, argv), hlaseni_(hlaseni) {
    setStyle(new TStylAplikace);
}

bool TAplikace::notify(QObject* prijemce, QEvent* udalost) {
    bool vysledek = false;
    Chranene(hlaseni_, [&] { vysledek = QApplication::notify(prijemce, udalost); });
    return vysledek;
}

} // namespace vantrel
