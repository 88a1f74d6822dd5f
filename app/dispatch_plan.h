// What AppCore does for a code (the worker's Dispatch for a task, the
// user-interface thread's RunAction for a hotkey action), decided from the
// settings and from which overlay windows exist. The Win32 side gathers the
// state and carries out the effect; the rule itself lives here.
#pragma once

#include <cstdint>

namespace gkr {

enum class DispatchEffect {
    None,
    ReadNotePanel,   // TaskNotePanel()
    WatchGame,       // TaskGameWatch()
    FollowGame,      // TaskFollowGame(): top-level overlays follow the game window
    RedrawSheet,     // the song-sheet overlay draws itself if a row changed
    TickTimer,       // TimerWnd::Tick
    StartTimer,      // TimerWnd::Start (a running timer restarts from zero)
    StopTimer,       // TimerWnd::Stop
    HideTimer,       // hide the timer overlay; UseTimer stays as it is
    ShowTimer,       // show the timer overlay
    EnergyOff,       // UseEnergy = 0, then EnergyDlg::Sync from the settings
    EnergyOn,        // UseEnergy = 1, then EnergyDlg::Sync from the settings
    SheetOff,        // UseFlute = 0, then FluteDlg::Sync from the settings
    SheetOn,         // UseFlute = 1, then FluteDlg::Sync from the settings
};

struct DispatchState {
    int32_t useTimer = 0;
    int32_t useEnergy = 0;
    int32_t useFlute = 0;
    bool timerRunning = false;
    bool timerWndExists = false;
    bool energyWndExists = false;
    bool fluteWndExists = false;
};

// Codes outside the table (-9..-5, -3, 8 and up, below -11) do nothing.
DispatchEffect PlanDispatch(int32_t code, const DispatchState& state);

}  // namespace gkr
