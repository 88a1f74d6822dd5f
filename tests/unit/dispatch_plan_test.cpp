#include "app/dispatch_plan.h"

#include "app/dispatch_codes.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

using E = DispatchEffect;

// Everything on and every overlay present: the game runs and all is used.
DispatchState AllOn() {
    DispatchState s;
    s.useTimer = s.useEnergy = s.useFlute = 1;
    s.timerRunning = s.timerWndExists = s.energyWndExists = s.fluteWndExists = true;
    return s;
}

DispatchState NoWindows() {
    DispatchState s = AllOn();
    s.timerWndExists = s.energyWndExists = s.fluteWndExists = false;
    return s;
}

TEST(DispatchPlan, ScreenTasksAlwaysRun) {
    EXPECT_EQ(E::ReadNotePanel, PlanDispatch(dispatch::TaskNotePanel, DispatchState{}));
    EXPECT_EQ(E::WatchGame, PlanDispatch(dispatch::TaskGameWatch, DispatchState{}));
}

TEST(DispatchPlan, TheGameIsFollowedOnlyWhileAnOverlayExists) {
    EXPECT_EQ(E::None, PlanDispatch(dispatch::TaskFollowGame, NoWindows()));
    for (bool DispatchState::*exists :
         {&DispatchState::timerWndExists, &DispatchState::energyWndExists, &DispatchState::fluteWndExists}) {
        DispatchState one;  // every setting off: the overlays are followed all the same
        one.*exists = true;
        EXPECT_EQ(E::FollowGame, PlanDispatch(dispatch::TaskFollowGame, one));
    }
}

TEST(DispatchPlan, CodesOutsideTheTableDoNothing) {
    for (int32_t code : {-12, -9, -5, -3, 8, 9, 1000})
        EXPECT_EQ(E::None, PlanDispatch(code, AllOn())) << code;
}

TEST(DispatchPlan, EveryActionWaitsForItsOverlay) {
    const DispatchState s = NoWindows();
    for (int32_t code = dispatch::TaskSheetRedraw; code < dispatch::ActionCount; ++code)
        EXPECT_EQ(E::None, PlanDispatch(code, s)) << code;
    DispatchState off = s;
    off.useEnergy = off.useFlute = 0;  // the "show" actions need the overlay too
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionEnergyShow, off));
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionSheetShow, off));
}

TEST(DispatchPlan, TimerActionsNeedUseTimerAndLeaveIt) {
    DispatchState s = AllOn();
    EXPECT_EQ(E::StartTimer, PlanDispatch(dispatch::ActionTimerStart, s));
    EXPECT_EQ(E::StopTimer, PlanDispatch(dispatch::ActionTimerStop, s));
    EXPECT_EQ(E::HideTimer, PlanDispatch(dispatch::ActionTimerHide, s));
    EXPECT_EQ(E::ShowTimer, PlanDispatch(dispatch::ActionTimerShow, s));
    s.useTimer = 0;
    for (int32_t code = dispatch::ActionTimerStart; code <= dispatch::ActionTimerShow; ++code)
        EXPECT_EQ(E::None, PlanDispatch(code, s)) << code;
}

TEST(DispatchPlan, StartWhileRunningRestarts) {
    DispatchState s = AllOn();
    s.timerRunning = true;
    EXPECT_EQ(E::StartTimer, PlanDispatch(dispatch::ActionTimerStart, s));
}

TEST(DispatchPlan, TimerTickOnlyWhileRunning) {
    DispatchState s = AllOn();
    EXPECT_EQ(E::TickTimer, PlanDispatch(dispatch::TaskTimerTick, s));
    s.timerRunning = false;
    EXPECT_EQ(E::None, PlanDispatch(dispatch::TaskTimerTick, s));
    s = AllOn();
    s.useTimer = 0;
    EXPECT_EQ(E::None, PlanDispatch(dispatch::TaskTimerTick, s));
}

TEST(DispatchPlan, SheetRedrawNeedsUseFlute) {
    DispatchState s = AllOn();
    EXPECT_EQ(E::RedrawSheet, PlanDispatch(dispatch::TaskSheetRedraw, s));
    s.useFlute = 0;
    EXPECT_EQ(E::None, PlanDispatch(dispatch::TaskSheetRedraw, s));
}

TEST(DispatchPlan, EnergyActionsActOnlyWhenTheSettingChanges) {
    DispatchState s = AllOn();
    EXPECT_EQ(E::EnergyOff, PlanDispatch(dispatch::ActionEnergyHide, s));
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionEnergyShow, s));
    s.useEnergy = 0;
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionEnergyHide, s));
    EXPECT_EQ(E::EnergyOn, PlanDispatch(dispatch::ActionEnergyShow, s));
}

TEST(DispatchPlan, SheetActionsActOnlyWhenTheSettingChanges) {
    DispatchState s = AllOn();
    EXPECT_EQ(E::SheetOff, PlanDispatch(dispatch::ActionSheetHide, s));
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionSheetShow, s));
    s.useFlute = 0;
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionSheetHide, s));
    EXPECT_EQ(E::SheetOn, PlanDispatch(dispatch::ActionSheetShow, s));
}

TEST(DispatchPlan, OverlaysAreIndependent) {
    // Only the energy bar exists: its actions work, the others do nothing.
    DispatchState s = AllOn();
    s.timerWndExists = s.fluteWndExists = false;
    EXPECT_EQ(E::EnergyOff, PlanDispatch(dispatch::ActionEnergyHide, s));
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionTimerHide, s));
    EXPECT_EQ(E::None, PlanDispatch(dispatch::ActionSheetHide, s));
}

}  // namespace
}  // namespace gkr
