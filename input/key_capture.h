// One step of the key capture dialog: what it adds to the combination being
// recorded from one look at the keyboard or the pad. The set only grows;
// releasing a key does not remove it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "input/hotkey_match.h"

namespace gkr {

// GetAsyncKeyState for every code 0..255: 0x8000 down now, 0x0001 pressed
// since the previous query.
using KeyQuery = std::array<uint16_t, 256>;

// The codes 7..255 pressed since the previous query join `keys` (0..6 are the
// mouse buttons and Cancel). Sorted ascending, each code once.
std::vector<uint32_t> AddPressedKeys(const std::vector<uint32_t>& keys, const KeyQuery& query);

// The buttons held and the axes and hat pushed join `pads`. An axis counts
// only beyond its threshold (strictly), so what is recorded is matched with
// room to spare. Sorted ascending: axis and hat codes before the buttons.
std::vector<int32_t> AddPadConditions(const std::vector<int32_t>& pads, const PadPosition& position,
                                      const PadContext& context);

}  // namespace gkr
