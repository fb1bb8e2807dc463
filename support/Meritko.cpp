#include "support/Meritko.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr double EmNavrhu = 12.0;

} // namespace

double MeritkoNavrhu(int pixelu) {
    return std::max(1.0, pixelu / EmNavrhu);
}

int Navrh(int delka, double meritko) {
    return static_cast<int>(std::lround(delka * meritko));
}

} // namespace vantrel
