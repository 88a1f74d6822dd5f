#include "app/framework/clock_win.h"

#include <windows.h>

namespace gkr {

int64_t PerformanceCount() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

int64_t PerformanceFrequency() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        // Cannot fail on any Windows since XP; a zero would turn every
        // elapsed time into a division by zero, so one tick a second at worst.
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? int64_t{f.QuadPart} : int64_t{1};
    }();
    return frequency;
}

}  // namespace gkr
