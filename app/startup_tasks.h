// The periodic tasks the worker runs from the start, in the order a pass runs
// them (the scheduler keeps the order of this table): the game watch first,
// so every pass reads the screen before the other tasks act on what it found.
// The timer and the song panel are repainted by the worker when their faces
// change, and top-level overlays look at the game at their own pace
// (LookPace), not on a period.
#pragma once

#include <cstdint>

#include "app/dispatch_codes.h"

namespace gkr {

struct StartupTask {
    int32_t code;
    double seconds;  // period
};

constexpr StartupTask kStartupTasks[] = {
    {dispatch::TaskGameWatch, 1.0},
    {dispatch::TaskNotePanel, 0.5},
};

}  // namespace gkr
