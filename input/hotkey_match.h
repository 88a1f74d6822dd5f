// Whether one hotkey's combination is active: all of its keys down, or all of
// its pad conditions met. The devices are read by the caller and passed in.
#pragma once

#include <cstdint>
#include <vector>

#include "input/pad_caps.h"

namespace gkr {

// One reading of the first joystick: the JOYINFOEX fields the program uses.
struct PadPosition {
    uint32_t x = 0, y = 0, z = 0, r = 0, u = 0, v = 0;
    uint32_t buttons = 0;  // bit i: button i + 1
    uint32_t pov = 0;      // hat direction in hundredths of a degree
};

// The UseX .. UseV switches: which axes may take part in hotkeys.
struct AxisUse {
    bool x = true, y = true, z = true, r = true, u = true, v = true;
};

// What a pad condition is judged against besides the position.
struct PadContext {
    PadCaps caps;
    AxisThresholds thresholds;
    AxisUse use;
};

// Pad codes: 1..36 buttons (37 and up never), -1..-8 and -13..-16 axis
// directions, -9..-12 hat directions (below -16 never).
constexpr int32_t kPadCodeHatDown = -9;
constexpr int32_t kPadCodeHatUp = -10;
constexpr int32_t kPadCodeHatLeft = -11;
constexpr int32_t kPadCodeHatRight = -12;
constexpr int32_t kPadCodeLastButton = 36;

// An axis as the rules see it: its position, its thresholds, and whether it
// may take part at all (the pad has it, its switch is on, it has a range).
struct AxisReading {
    int32_t lowCode;   // pushed to the low end
    int32_t highCode;  // pushed to the high end
    uint32_t position;
    AxisThreshold threshold;
    bool usable;
};

// The six axes X, Y, Z, R, U, V in that order.
constexpr int kPadAxisCount = 6;
AxisReading ReadAxis(int axis, const PadPosition& position, const PadContext& context);

// The hat direction of a code -9..-12, in hundredths of a degree; -1 for other codes.
int32_t HatDirection(int32_t code);

// A single condition. Axis thresholds count as reached (inclusive); an axis
// without a range, or one the pad lacks or the user switched off, satisfies
// nothing, nor does a diagonal or centred hat.
bool PadCodeSatisfied(int32_t code, const PadPosition& position, const PadContext& context);

// All codes, in stored order, stopping at the first one not met. An empty
// list is never active.
bool PadCombinationActive(const std::vector<int32_t>& codes, const PadPosition& position, const PadContext& context);

// The keyboard as the matching sees it: is this virtual key down now?
class KeyboardState {
public:
    virtual bool IsDown(uint32_t code) = 0;

protected:
    ~KeyboardState() = default;
};

// All keys down, asked in stored order; the first key up ends the question.
// An empty list is never active.
bool KeyCombinationActive(const std::vector<uint32_t>& keys, KeyboardState& keyboard);

}  // namespace gkr
