// The game's main window, found by its class: the game may have closed or
// restarted since the last look, so a lookup never trusts an older answer.
#pragma once
#include <windows.h>

namespace gkr {

// The top-level window of class " G K R ", or NULL when the game is not running.
HWND FindGameWindow();

// FindGameWindow, and make sure the window clips its children so the game does
// not paint over the overlays placed inside it. NULL when the game is not running.
HWND PrepareGameWindow();

// Gives the game window the clip-children style if it lost it. The overlays'
// paints call it with their parent, which needs no lookup.
void EnsureClipsChildren(HWND game);

}  // namespace gkr
