// The first joystick's capabilities and the axis thresholds derived from them.
// Hotkey matching and the key capture dialog both read them, so a combination
// is matched against the same thresholds it was recorded with.
#pragma once

#include <cstdint>

namespace gkr {

// The fields of the joystick capability record that the program uses.
struct PadCaps {
    uint32_t wXmin = 0, wXmax = 0;
    uint32_t wYmin = 0, wYmax = 0;
    uint32_t wZmin = 0, wZmax = 0;
    uint32_t wRmin = 0, wRmax = 0;
    uint32_t wUmin = 0, wUmax = 0;
    uint32_t wVmin = 0, wVmax = 0;
    uint32_t wCaps = 0;
    uint32_t wMaxButtons = 0;
};

// Bits of PadCaps::wCaps.
constexpr uint32_t kPadHasZ = 0x01;
constexpr uint32_t kPadHasR = 0x02;
constexpr uint32_t kPadHasU = 0x04;
constexpr uint32_t kPadHasV = 0x08;
constexpr uint32_t kPadHasPov = 0x10;

// An axis counts as pushed at or beyond a threshold: in its outer quarter.
struct AxisThreshold {
    uint32_t low = 0;
    uint32_t high = 0;
};

struct AxisThresholds {
    AxisThreshold x, y, z, r, u, v;
};

// low = 3m/4 + M/4 and high = 3M/4 + m/4, each quarter truncated on its own;
// both 0 when the axis has no range (m = M).
AxisThreshold ComputeAxisThreshold(uint32_t min, uint32_t max);
AxisThresholds ComputeAxisThresholds(const PadCaps& caps);

// One refresh's capabilities with the thresholds derived from them.
struct PadState {
    PadCaps caps;
    AxisThresholds thresholds;
    // Whether the last capability read found a joystick. Without one the
    // poll leaves the joystick alone: under Wine every look at an absent
    // joystick may rescan the devices, which costs milliseconds.
    bool attached = false;
    uint32_t refreshes = 0;  // capability reads so far, found or not
};

// The process-wide record, zero until first read. Written by the
// user-interface thread, read by the worker's poll; each store replaces the
// capabilities and their thresholds together, so a reader never sees a mix.
PadState CurrentPadState();
PadCaps CurrentPadCaps();
AxisThresholds CurrentAxisThresholds();

// Stores new capabilities and the thresholds derived from them: a joystick
// is attached.
void StorePadCaps(const PadCaps& caps);

// A capability read found no joystick: the capabilities and thresholds of an
// earlier read stay as they were.
void StorePadAbsent();

}  // namespace gkr
