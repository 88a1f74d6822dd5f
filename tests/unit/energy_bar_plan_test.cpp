// Where the energy bar goes: shown only over a readable gauge, moved only
// when its target changes, offsets clamped to the page's range.
#include "overlays/energy_bar_plan.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

OverlayRect Rect(int32_t x, int32_t y, int32_t w, int32_t h) { return OverlayRect{x, y, w, h}; }

TEST(EnergyBarPlan, HiddenWhenSwitchedOffOrWithoutAUsableMaximum) {
    const OverlayRect here = Rect(119, 23, 325, 10);
    EXPECT_EQ(EnergyBarStep::Hide, PlanEnergyBar(0, 100, 0, 0, &here).step);
    EXPECT_EQ(EnergyBarStep::Hide, PlanEnergyBar(1, 45, 0, 0, &here).step);
    EXPECT_EQ(EnergyBarStep::Hide, PlanEnergyBar(1, -1, 0, 0, &here).step);
    EXPECT_EQ(EnergyBarStep::Hide, PlanEnergyBar(1, 10, 0, 0, nullptr).step) << "the start value before any reading";
    EXPECT_EQ(EnergyBarStep::Hide, PlanEnergyBar(1, INT32_MIN, 0, 0, &here).step);
}

TEST(EnergyBarPlan, MovesOnlyWhenTheTargetChanges) {
    const OverlayRect here = Rect(119, 23, 325, 10);
    EXPECT_EQ(EnergyBarStep::Show, PlanEnergyBar(1, 100, 0, 0, &here).step);
    const EnergyBarPlan plan = PlanEnergyBar(1, 120, 0, 0, &here);
    EXPECT_EQ(EnergyBarStep::MoveAndShow, plan.step);
    EXPECT_EQ(Rect(119, 23, 390, 10), plan.target);
    EXPECT_EQ(Rect(119, 23, 162, 10), PlanEnergyBar(1, 50, 0, 0, &here).target) << "162.5 truncated";
    EXPECT_EQ(EnergyBarStep::Nothing, PlanEnergyBar(1, 100, 0, 0, nullptr).step) << "no window to place";
}

TEST(EnergyBarPlan, OffsetsBeyondThePagesRangeCountAsItsEnds) {
    EXPECT_EQ(Rect(139, 3, 325, 10), PlanEnergyBar(1, 100, 20, -20, nullptr).target);
    EXPECT_EQ(Rect(99, 43, 325, 10), PlanEnergyBar(1, 100, -20, 20, nullptr).target);
    EXPECT_EQ(Rect(139, 3, 325, 10), PlanEnergyBar(1, 100, INT32_MAX, INT32_MIN, nullptr).target);
    const OverlayRect huge = PlanEnergyBar(1, INT32_MAX, 0, 0, nullptr).target;
    EXPECT_GT(huge.width, 0) << "no overflow for a damaged maximum";
}

TEST(OverlayClamps, TimerSizeAndOffsetsStayInTheirRanges) {
    EXPECT_EQ(100, ClampTimerSize(0));
    EXPECT_EQ(100, ClampTimerSize(INT32_MIN));
    EXPECT_EQ(215, ClampTimerSize(215));
    EXPECT_EQ(300, ClampTimerSize(INT32_MAX));
    EXPECT_EQ(300, ComputeTimerGeometry(TimerScale(5000)).window.width);
    EXPECT_EQ(114, ComputeTimerGeometry(TimerScale(115)).window.width) << "1.15 lies just below 1.15";
    EXPECT_EQ(-20, ClampOffset(-21));
    EXPECT_EQ(20, ClampOffset(INT32_MAX));
    EXPECT_EQ(7, ClampOffset(7));
}

}  // namespace
}  // namespace gkr
