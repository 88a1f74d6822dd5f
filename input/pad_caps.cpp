#include "input/pad_caps.h"

#include "app/framework/singleton.h"
#include "settings/published.h"

namespace gkr {

AxisThreshold ComputeAxisThreshold(uint32_t min, uint32_t max) {
    if (min == max) return AxisThreshold{};
    // In 64 bits: three quarters of a range near 2^32 must not wrap around.
    const uint64_t m = min, M = max;
    return AxisThreshold{uint32_t(3 * m / 4 + M / 4), uint32_t(3 * M / 4 + m / 4)};
}

AxisThresholds ComputeAxisThresholds(const PadCaps& c) {
    return AxisThresholds{
        ComputeAxisThreshold(c.wXmin, c.wXmax), ComputeAxisThreshold(c.wYmin, c.wYmax),
        ComputeAxisThreshold(c.wZmin, c.wZmax), ComputeAxisThreshold(c.wRmin, c.wRmax),
        ComputeAxisThreshold(c.wUmin, c.wUmax), ComputeAxisThreshold(c.wVmin, c.wVmax),
    };
}

namespace {

// Published whole by the user-interface thread: the worker's poll never sees
// the ranges of one pad with the thresholds of another.
class PadRecord : public Singleton<PadRecord> {
public:
    Published<PadState> state;

private:
    friend class Singleton<PadRecord>;
    PadRecord() = default;
};

Published<PadState>& SharedState() { return PadRecord::Instance().state; }

}  // namespace

PadState CurrentPadState() { return *SharedState().Snapshot(); }

PadCaps CurrentPadCaps() { return CurrentPadState().caps; }

AxisThresholds CurrentAxisThresholds() { return CurrentPadState().thresholds; }

// Only the user-interface thread stores, so reading the previous state and
// publishing the next one need no lock.
void StorePadCaps(const PadCaps& caps) {
    const PadState previous = CurrentPadState();
    SharedState().Publish(PadState{caps, ComputeAxisThresholds(caps), true, previous.refreshes + 1});
}

void StorePadAbsent() {
    PadState state = CurrentPadState();
    state.attached = false;
    ++state.refreshes;
    SharedState().Publish(state);
}

}  // namespace gkr
