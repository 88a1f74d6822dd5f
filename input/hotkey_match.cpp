#include "input/hotkey_match.h"

namespace gkr {

AxisReading ReadAxis(int axis, const PadPosition& p, const PadContext& c) {
    const PadCaps& caps = c.caps;
    const AxisThresholds& t = c.thresholds;
    // X and Y every joystick has; the others only when its capabilities say so.
    switch (axis) {
    case 0:
        return {-1, -2, p.x, t.x, c.use.x && caps.wXmin != caps.wXmax};
    case 1:
        return {-3, -4, p.y, t.y, c.use.y && caps.wYmin != caps.wYmax};
    case 2:
        return {-5, -6, p.z, t.z, c.use.z && (caps.wCaps & kPadHasZ) && caps.wZmin != caps.wZmax};
    case 3:
        return {-7, -8, p.r, t.r, c.use.r && (caps.wCaps & kPadHasR) && caps.wRmin != caps.wRmax};
    case 4:
        return {-13, -14, p.u, t.u, c.use.u && (caps.wCaps & kPadHasU) && caps.wUmin != caps.wUmax};
    case 5:
        return {-15, -16, p.v, t.v, c.use.v && (caps.wCaps & kPadHasV) && caps.wVmin != caps.wVmax};
    default:
        return {0, 0, 0, {}, false};
    }
}

int32_t HatDirection(int32_t code) {
    switch (code) {
    case kPadCodeHatDown:
        return 18000;
    case kPadCodeHatUp:
        return 0;
    case kPadCodeHatLeft:
        return 27000;
    case kPadCodeHatRight:
        return 9000;
    default:
        return -1;
    }
}

bool PadCodeSatisfied(int32_t code, const PadPosition& position, const PadContext& context) {
    if (code >= 1 && code <= kPadCodeLastButton) return (position.buttons >> ((code - 1) % 32)) & 1u;
    const int32_t hat = HatDirection(code);
    if (hat >= 0) return (context.caps.wCaps & kPadHasPov) && position.pov == static_cast<uint32_t>(hat);
    for (int axis = 0; axis < kPadAxisCount; ++axis) {
        const AxisReading a = ReadAxis(axis, position, context);
        if (code == a.lowCode) return a.usable && a.position <= a.threshold.low;
        if (code == a.highCode) return a.usable && a.position >= a.threshold.high;
    }
    return false;
}

bool PadCombinationActive(const std::vector<int32_t>& codes, const PadPosition& position, const PadContext& context) {
    if (codes.empty()) return false;
    for (int32_t code : codes)
        if (!PadCodeSatisfied(code, position, context)) return false;
    return true;
}

bool KeyCombinationActive(const std::vector<uint32_t>& keys, KeyboardState& keyboard) {
    if (keys.empty()) return false;
    for (uint32_t code : keys)
        if (!keyboard.IsDown(code)) return false;
    return true;
}

}  // namespace gkr
