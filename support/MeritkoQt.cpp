#include "support/MeritkoQt.h"

#include <QFontInfo>
#include <QPushButton>

namespace vantrel {

double MeritkoNavrhu(const QFont& pismo) {
    return MeritkoNavrhu(QFontInfo(pismo).pixelSize());
}

int SirkaTlacitka(const QPushButton& tlacitko, int navrzenaSirka) {
    const QFontMetrics metrika = tlacitko.fontMetrics();
    return SirkaTlacitka(navrzenaSirka, metrika.horizontalAdvance(tlacitko.text()),
                         metrika.averageCharWidth());
}

} // namespace vantrel
