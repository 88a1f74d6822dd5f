// The ends of the overlays' window procedures and of their settings pages'
// procedures: what all three answer alike, after their own messages.
#pragma once

#include <windows.h>

#include "app/framework/window_win.h"
#include "overlays/overlay_win.h"

namespace gkr {

// No background erase (the paint covers every pixel); WM_PAINT and
// WM_PRINTCLIENT drawn through `draw` (each paint makes the game clip its
// children again: the game may have dropped the style); the handle forgotten
// at WM_NCDESTROY; DefWindowProcW for everything else.
LRESULT OverlayWindowMessage(Window& overlay, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             const OverlayDrawing& draw);

// A settings page's WM_DESTROY closes the page's overlay, which goes with its
// page; the message is left to the page's default like every other.
void OverlayPageMessage(Window& overlay, UINT message);

}  // namespace gkr
