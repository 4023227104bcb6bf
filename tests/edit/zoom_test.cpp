#include "edit/zoom.h"

#include <gtest/gtest.h>

TEST(Zoom, RoundsHalfToEvenOnTheExtendedPrecisionResult) {
    EXPECT_EQ(RoundHalfEven(2.5L), 2.0L);
    EXPECT_EQ(RoundHalfEven(3.5L), 4.0L);
    EXPECT_EQ(ZoomInSide(2), 2);    // 2.4
    EXPECT_EQ(ZoomOutSide(2), 2);   // 1.67
    EXPECT_EQ(ZoomOutSide(1), 1);   // 0.83
    EXPECT_EQ(ZoomInSide(3), 4);    // 3.6
    EXPECT_EQ(ZoomOutSide(3), 2);   // exactly 2.5: the even 2
    EXPECT_EQ(ZoomOutSide(21), 18); // 17.5: the even 18
    // 1.2 in extended precision is a little more than 1.2: 9 / 1.2 is just below 7.5.
    EXPECT_EQ(ZoomOutSide(9), 7);
    EXPECT_EQ(ZoomInSide(kMaxZoomedSide), kMaxZoomedSide);

    // Each step starts from the rounded size before it.
    int side = 100;
    for (int expected : {120, 144, 173, 208, 250})
        EXPECT_EQ(side = ZoomInSide(side), expected);
    for (int expected : {208, 173, 144, 120, 100})
        EXPECT_EQ(side = ZoomOutSide(side), expected);
    side = 7; // out first: the way back ends elsewhere
    for (int i = 0; i < 5; ++i)
        side = ZoomOutSide(side);
    for (int i = 0; i < 5; ++i)
        side = ZoomInSide(side);
    EXPECT_EQ(side, 2);
}
