#include "support/Meritko.h"

#include <QFontInfo>
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

} // namespace vantrel
