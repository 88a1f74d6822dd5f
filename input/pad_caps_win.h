// Reads the first joystick's capabilities from WinMM into the process-wide
// record: when the manager dialog starts and on device changes once the pad
// is in use, and whenever the pad capture opens.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "input/pad_caps.h"

namespace gkr {

// A failed read (no joystick) keeps the previous capabilities and thresholds
// and notes that no joystick is attached.
void RefreshPadCaps();

// RefreshPadCaps when a hotkey uses the pad or the capabilities were read
// before; otherwise the joystick stack stays unloaded.
void RefreshPadCapsIfWanted();

// The fields of a WinMM capability record that the program keeps.
PadCaps ToPadCaps(const JOYCAPSW& caps);

}  // namespace gkr
