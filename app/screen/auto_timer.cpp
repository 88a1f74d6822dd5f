#include "app/screen/auto_timer.h"

namespace gkr {

AutoTimerAction AutoTimer::OnPass(bool gaugePresent, bool enabled, int64_t now, int64_t frequency) {
    const bool longGone = double(now - lastSeen_) / double(frequency) > kQuestGapSeconds;
    if (gaugePresent) {
        const bool start = enabled && (lastSeen_ == 0 || longGone);
        lastSeen_ = now;
        return start ? AutoTimerAction::Start : AutoTimerAction::None;
    }
    // Repeats on every pass while the gauge stays away: stopping is idempotent.
    return enabled && longGone ? AutoTimerAction::Stop : AutoTimerAction::None;
}

}  // namespace gkr
