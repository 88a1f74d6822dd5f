// What one game-watch pass concludes from the pixels it read: the maximum
// health to store, whether the quest timer starts or stops, whether the
// song-sheet panel is hidden and reset, and whether the note panel is seen.
// The Win32 side captures and then carries the plan out.
#pragma once

#include <cstdint>

#include "app/screen/auto_timer.h"
#include "app/screen/health_gauge.h"
#include "app/screen/screen_pixels.h"

namespace gkr {

struct WatchPlan {
    int32_t maxHealth = kNoMaxHealth;
    AutoTimerAction timer = AutoTimerAction::None;
    bool hideAndResetSheet = false;  // the quest ended: its song effects no longer count
    int32_t notePanelVisible = 0;
};

struct WatchInputs {
    PixelBlock strip;         // the health gauge's row (HealthStripRect)
    PixelBlock column;        // the note-panel marker's column (kMarkerColumnRect)
    bool autoTimer = false;   // UseAutoTimer
    // The game's window, gauge and all, is up a moment before the overlays
    // are created inside it: the quest phase is followed only once the timer
    // exists, so a quest under way when the game or this program starts
    // still starts the timer.
    bool timerExists = false;
    int64_t now = 0;
    int64_t frequency = 0;
};

// `autoTimer` carries the quest phase from one pass to the next.
WatchPlan PlanWatchPass(const WatchInputs& in, AutoTimer& autoTimer);

}  // namespace gkr
