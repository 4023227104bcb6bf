// Display zoom of the main picture: one step multiplies or divides the control's size by
// 1.2, rounded half to even on the extended-precision result.
#pragma once

// The zoom factor, held in extended precision.
inline constexpr long double ZoomFactor = 1.2L;

// The largest control side a zoom step produces (the toolkit's widget size limit).
inline constexpr int kMaxZoomedSide = (1 << 24) - 1;

// Round half to even of an extended-precision value (2.5 gives 2, 3.5 gives 4).
long double RoundHalfEven(long double value);

// One zoom step of a side length: Round(side * 1.2) in, Round(side / 1.2) out, limited to
// 0 .. kMaxZoomedSide.
int ZoomInSide(int side);
int ZoomOutSide(int side);
