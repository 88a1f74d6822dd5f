#include "app/dispatch_plan.h"

#include "app/dispatch_codes.h"

namespace gkr {

DispatchEffect PlanDispatch(int32_t code, const DispatchState& s) {
    // Hotkey actions act only while their overlay exists, i.e. while the game runs.
    const bool timerUsable = s.useTimer != 0 && s.timerWndExists;
    switch (code) {
    case dispatch::TaskNotePanel:
        return DispatchEffect::ReadNotePanel;
    case dispatch::TaskGameWatch:
        return DispatchEffect::WatchGame;
    case dispatch::TaskFollowGame:
        // Only while some overlay exists: nothing to follow, nothing to ask the game.
        return s.timerWndExists || s.energyWndExists || s.fluteWndExists ? DispatchEffect::FollowGame
                                                                          : DispatchEffect::None;
    case dispatch::TaskSheetRedraw:
        return s.useFlute != 0 && s.fluteWndExists ? DispatchEffect::RedrawSheet : DispatchEffect::None;
    case dispatch::TaskTimerTick:
        return timerUsable && s.timerRunning ? DispatchEffect::TickTimer : DispatchEffect::None;
    case dispatch::ActionTimerStart:
        return timerUsable ? DispatchEffect::StartTimer : DispatchEffect::None;
    case dispatch::ActionTimerStop:
        return timerUsable ? DispatchEffect::StopTimer : DispatchEffect::None;
    case dispatch::ActionTimerHide:
        return timerUsable ? DispatchEffect::HideTimer : DispatchEffect::None;
    case dispatch::ActionTimerShow:
        return timerUsable ? DispatchEffect::ShowTimer : DispatchEffect::None;
    // The energy and sheet actions flip a stored setting, so they act only
    // when the setting actually changes (no page refresh for nothing).
    case dispatch::ActionEnergyHide:
        return s.useEnergy != 0 && s.energyWndExists ? DispatchEffect::EnergyOff : DispatchEffect::None;
    case dispatch::ActionEnergyShow:
        return s.useEnergy == 0 && s.energyWndExists ? DispatchEffect::EnergyOn : DispatchEffect::None;
    case dispatch::ActionSheetHide:
        return s.useFlute != 0 && s.fluteWndExists ? DispatchEffect::SheetOff : DispatchEffect::None;
    case dispatch::ActionSheetShow:
        return s.useFlute == 0 && s.fluteWndExists ? DispatchEffect::SheetOn : DispatchEffect::None;
    default:
        return DispatchEffect::None;
    }
}

}  // namespace gkr
