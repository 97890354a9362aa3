#include "Money.h"

#include <cmath>

namespace tarlok {

namespace {

// Nearest integer, a half going to the even neighbour; independent of the floating-point rounding mode.
double roundHalfEven(double y) {
    const double below = std::floor(y);
    const double rest = y - below; // exact for every double with a fraction
    if (rest > 0.5)
        return below + 1.0;
    if (rest < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

} // namespace

double ZaokraglijDoGroszy(double x) {
    const double whole = std::trunc(x);
    const double fraction = x - whole;
    // The added millionth lifts an amount held a hair under the half grosz (2.675 is stored as
    // 2.67499...) over it; a negative amount ends up a hair above its half and so rounds toward zero.
    return whole + 0.01 * roundHalfEven(100.0 * fraction + 0.000001);
}

} // namespace tarlok
