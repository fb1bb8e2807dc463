#include "support/Meritko.h"

#include <QFontInfo>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr double EmNavrhu = 12.0;

} // namespace

double MeritkoNavrhu(const QFont& pismo) {
    return std::max(1.0, QFontInfo(pismo).pixelSize() / EmNavrhu);
}

int Navrh(int delka, double meritko) {
    return static_cast<int>(std::lround(delka * meritko));
}

int SirkaTlacitka(const QPushButton& tlacitko, int navrzenaSirka) {
    const QFontMetrics metrika = tlacitko.fontMetrics();
    return std::max(navrzenaSirka,
                    metrika.horizontalAdvance(tlacitko.text()) + 4 * metrika.averageCharWidth());
}

} // namespace vantrel
