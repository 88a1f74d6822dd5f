#include "input/pad_caps.h"

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

// One refresh's capabilities with the thresholds derived from them, published
// whole: the worker's poll never sees the ranges of one pad with the
// thresholds of another.
struct PadState {
    PadCaps caps;
    AxisThresholds thresholds;
};

Published<PadState>& SharedState() {
    static Published<PadState> state;
    return state;
}

std::shared_ptr<const PadState> LoadState() { return SharedState().Snapshot(); }

}  // namespace

PadCaps CurrentPadCaps() { return LoadState()->caps; }

AxisThresholds CurrentAxisThresholds() { return LoadState()->thresholds; }

void StorePadCaps(const PadCaps& caps) {
    SharedState().Publish(PadState{caps, ComputeAxisThresholds(caps)});
}

}  // namespace gkr
