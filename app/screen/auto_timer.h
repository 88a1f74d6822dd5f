// Starts and stops the quest timer from the health gauge: a quest begins when
// the gauge appears after more than 20 s away, and ends once it has been away
// for more than 20 s. Shorter absences (loading screens, menus) change nothing.
#pragma once

#include <cstdint>

namespace gkr {

enum class AutoTimerAction { None, Start, Stop };

class AutoTimer {
public:
    static constexpr double kQuestGapSeconds = 20.0;

    // One game-watch pass. `now` and `frequency` are performance-counter
    // values; the gauge is remembered as seen whether or not `enabled` is set.
    AutoTimerAction OnPass(bool gaugePresent, bool enabled, int64_t now, int64_t frequency);

    int64_t LastSeen() const { return lastSeen_; }  // 0 = never

private:
    int64_t lastSeen_ = 0;
};

}  // namespace gkr
