#include "edit/zoom.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

long double RoundHalfEven(long double value) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

namespace {

int ToSide(long double value) {
    const long double rounded = RoundHalfEven(value);
    if (!(rounded > 0.0L)) return 0;
    return rounded >= kMaxZoomedSide ? kMaxZoomedSide : static_cast<int>(rounded);
}

} // namespace

int ZoomInSide(int side) {
    return ToSide(static_cast<long double>(side) * ZoomFactor);
}

int ZoomOutSide(int side) {
    return ToSide(static_cast<long double>(side) / ZoomFactor);
}
