// Reads the first joystick's capabilities from WinMM into the process-wide
// record. Run when the manager dialog starts and on every device change.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "input/pad_caps.h"

namespace gkr {

// A failed read (no joystick) keeps the previous capabilities and thresholds
// and notes that no joystick is attached.
void RefreshPadCaps();

// The fields of a WinMM capability record that the program keeps.
PadCaps ToPadCaps(const JOYCAPSW& caps);

}  // namespace gkr
