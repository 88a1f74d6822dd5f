#include "input/pad_caps.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

TEST(AxisThreshold, OuterQuarterOfTheCommonRange) {
    AxisThreshold t = ComputeAxisThreshold(0, 65535);
    EXPECT_EQ(16383u, t.low);
    EXPECT_EQ(49151u, t.high);
}

TEST(AxisThreshold, AxisWithoutRangeHasZeroThresholds) {
    AxisThreshold t = ComputeAxisThreshold(500, 500);
    EXPECT_EQ(0u, t.low);
    EXPECT_EQ(0u, t.high);
}

TEST(AxisThreshold, EachQuarterIsTruncatedOnItsOwn) {
    // 9/4 + 7/4 = 2 + 1 (not 16/4 = 4); 21/4 + 3/4 = 5 + 0 (not 24/4 = 6).
    AxisThreshold t = ComputeAxisThreshold(3, 7);
    EXPECT_EQ(3u, t.low);
    EXPECT_EQ(5u, t.high);
}

TEST(AxisThreshold, FullThirtyTwoBitRangeDoesNotWrap) {
    AxisThreshold t = ComputeAxisThreshold(0, 0xFFFFFFFFu);
    EXPECT_EQ(0x3FFFFFFFu, t.low);
    EXPECT_EQ(0xBFFFFFFFu, t.high);
}

PadCaps DistinctRanges() {
    PadCaps c;
    c.wXmin = 0, c.wXmax = 400;
    c.wYmin = 0, c.wYmax = 800;
    c.wZmin = 0, c.wZmax = 1200;
    c.wRmin = 0, c.wRmax = 1600;
    c.wUmin = 0, c.wUmax = 2000;
    c.wVmin = 0, c.wVmax = 2400;
    c.wCaps = 0x1F;
    c.wMaxButtons = 12;
    return c;
}

TEST(AxisThresholds, EachAxisUsesItsOwnRange) {
    AxisThresholds t = ComputeAxisThresholds(DistinctRanges());
    EXPECT_EQ(100u, t.x.low);
    EXPECT_EQ(300u, t.x.high);
    EXPECT_EQ(200u, t.y.low);
    EXPECT_EQ(300u, t.z.low);
    EXPECT_EQ(400u, t.r.low);
    EXPECT_EQ(500u, t.u.low);
    EXPECT_EQ(600u, t.v.low);
    EXPECT_EQ(1800u, t.v.high);
}

TEST(PadCapsRecord, StoringRecomputesTheSharedThresholds) {
    StorePadCaps(DistinctRanges());
    EXPECT_EQ(0x1Fu, CurrentPadCaps().wCaps);
    EXPECT_EQ(12u, CurrentPadCaps().wMaxButtons);
    EXPECT_EQ(2400u, CurrentPadCaps().wVmax);
    EXPECT_EQ(1500u, CurrentAxisThresholds().u.high);

    EXPECT_TRUE(CurrentPadState().attached);

    // No joystick found: what an earlier read stored stays.
    const uint32_t refreshes = CurrentPadState().refreshes;
    StorePadAbsent();
    EXPECT_FALSE(CurrentPadState().attached);
    EXPECT_EQ(refreshes + 1, CurrentPadState().refreshes);
    EXPECT_EQ(1500u, CurrentAxisThresholds().u.high);

    StorePadCaps(PadCaps{});
    EXPECT_EQ(0u, CurrentAxisThresholds().x.high);
    EXPECT_EQ(0u, CurrentPadCaps().wCaps);
}

}  // namespace
}  // namespace gkr
