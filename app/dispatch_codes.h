// The codes AppCore::Dispatch understands: negative codes are the built-in
// periodic tasks, 0..7 the hotkey actions. A hotkey's action is its position
// in the hotkey list, so these positions are part of the stored settings.
#pragma once

#include <cstdint>

namespace gkr {

// In a namespace of their own because the two screen-reading tasks share
// their names with the functions that do the work (gkr::TaskGameWatch()).
namespace dispatch {

constexpr int32_t TaskNotePanel = -11;
constexpr int32_t TaskGameWatch = -10;
constexpr int32_t TaskFollowGame = -4;
constexpr int32_t TaskSheetRedraw = -2;
constexpr int32_t TaskTimerTick = -1;

constexpr int32_t ActionTimerStart = 0;
constexpr int32_t ActionTimerStop = 1;
constexpr int32_t ActionTimerHide = 2;
constexpr int32_t ActionTimerShow = 3;
constexpr int32_t ActionEnergyHide = 4;
constexpr int32_t ActionEnergyShow = 5;
constexpr int32_t ActionSheetHide = 6;
constexpr int32_t ActionSheetShow = 7;

constexpr int32_t ActionCount = 8;

// The hotkeys' codes: the user-interface thread runs them (codes past the
// table do nothing there).
constexpr bool IsAction(int32_t code) { return code >= 0; }

}  // namespace dispatch
}  // namespace gkr
