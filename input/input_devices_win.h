// Reading the keyboard and the first joystick, for the hotkey poll and the
// key capture dialog alike.
#pragma once

#include "input/hotkey_match.h"
#include "input/key_capture.h"

namespace gkr {

// GetAsyncKeyState's "down now" bit for one virtual key.
bool KeyIsDown(uint32_t code);

// GetAsyncKeyState for every code 0..255, in ascending order. Asking clears
// the "pressed since the previous query" bits.
KeyQuery QueryAllKeys();

// One reading of joystick 1 (identifier 0); false when no joystick answered.
bool ReadFirstPad(PadPosition& position);

}  // namespace gkr
