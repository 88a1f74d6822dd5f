#include "input/pad_caps.h"

#include <atomic>

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

using Word = std::atomic<uint32_t>;

struct SharedAxis {
    Word low{0}, high{0};

    void Store(const AxisThreshold& t) {
        low = t.low;
        high = t.high;
    }
    AxisThreshold Load() const { return AxisThreshold{low, high}; }
};

struct SharedPad {
    Word xMin{0}, xMax{0}, yMin{0}, yMax{0}, zMin{0}, zMax{0};
    Word rMin{0}, rMax{0}, uMin{0}, uMax{0}, vMin{0}, vMax{0};
    Word caps{0}, maxButtons{0};
    SharedAxis x, y, z, r, u, v;
};

SharedPad& Shared() {
    static SharedPad pad;
    return pad;
}

}  // namespace

PadCaps CurrentPadCaps() {
    const SharedPad& s = Shared();
    PadCaps c;
    c.wXmin = s.xMin, c.wXmax = s.xMax;
    c.wYmin = s.yMin, c.wYmax = s.yMax;
    c.wZmin = s.zMin, c.wZmax = s.zMax;
    c.wRmin = s.rMin, c.wRmax = s.rMax;
    c.wUmin = s.uMin, c.wUmax = s.uMax;
    c.wVmin = s.vMin, c.wVmax = s.vMax;
    c.wCaps = s.caps;
    c.wMaxButtons = s.maxButtons;
    return c;
}

AxisThresholds CurrentAxisThresholds() {
    const SharedPad& s = Shared();
    return AxisThresholds{s.x.Load(), s.y.Load(), s.z.Load(), s.r.Load(), s.u.Load(), s.v.Load()};
}

void StorePadCaps(const PadCaps& c) {
    SharedPad& s = Shared();
    s.xMin = c.wXmin, s.xMax = c.wXmax;
    s.yMin = c.wYmin, s.yMax = c.wYmax;
    s.zMin = c.wZmin, s.zMax = c.wZmax;
    s.rMin = c.wRmin, s.rMax = c.wRmax;
    s.uMin = c.wUmin, s.uMax = c.wUmax;
    s.vMin = c.wVmin, s.vMax = c.wVmax;
    s.caps = c.wCaps;
    s.maxButtons = c.wMaxButtons;

    const AxisThresholds t = ComputeAxisThresholds(c);
    s.x.Store(t.x), s.y.Store(t.y), s.z.Store(t.z);
    s.r.Store(t.r), s.u.Store(t.u), s.v.Store(t.v);
}

}  // namespace gkr
