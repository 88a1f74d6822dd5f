// Creation of an overlay: a child window of the game's main window, which
// belongs to another process. Each overlay gives its class, title, styles and
// place; the steps around them are the same for all three.
#pragma once

#include "app/window_win.h"

namespace gkr {

struct OverlayLook {
    const wchar_t* className;
    const wchar_t* title;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;  // in the game window's client coordinates
};

// Finds the game window (making it clip its children), destroys the window
// the overlay still holds, registers the class and creates the overlay inside
// the game window. Returns the new handle (also stored in overlay.handle), or
// NULL without touching the overlay when the game is not running.
HWND CreateOverlay(Window& overlay, const OverlayLook& look);

// Registers an overlay window class; registering it again fails harmlessly.
void RegisterOverlayClass(const wchar_t* className, WNDPROC procedure);

}  // namespace gkr
