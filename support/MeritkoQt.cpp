#include "support/MeritkoQt.h"

#include <QFontInfo>
#include <QPushButton>
#include <algorithm>

namespace vantrel {

double MeritkoNavrhu(const QFont& pismo) {
    return MeritkoNavrhu(QFontInfo(pismo).pixelSize());
}

int SirkaTlacitka(const QPushButton& tlacitko, int navrzenaSirka) {
    const QFontMetrics metrika = tlacitko.fontMetrics();
    return std::max(navrzenaSirka,
                    metrika.horizontalAdvance(tlacitko.text()) + 4 * metrika.averageCharWidth());
}

} // namespace vantrel
