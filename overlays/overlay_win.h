// What the three overlays share: their creation as child windows of the game
// window (which belongs to another process), the window calls other threads
// may make on them, and their window regions.
#pragma once

#include <functional>

#include "app/framework/scoped_win.h"
#include "app/framework/window_win.h"

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
// NULL without touching the overlay when the game is not running. Runs on the
// overlay thread: it may wait on the game.
HWND CreateOverlay(Window& overlay, const OverlayLook& look);

// Registers an overlay window class; registering it again fails harmlessly.
void RegisterOverlayClass(const wchar_t* className, WNDPROC procedure);

// Window calls on an overlay from any thread. The overlay's thread may be
// caught by a hung game, so from another thread these never wait for it: the
// change is handed to that thread (ShowWindowAsync, SWP_ASYNCWINDOWPOS) and
// takes effect when it next takes messages. On the overlay's own thread they
// act at once.
void ShowOverlay(HWND overlay, bool show);
void MoveOverlay(HWND overlay, int x, int y, int width, int height);  // repainted
void ResizeOverlay(HWND overlay, int width, int height);

// The overlay's window rectangle in its parent's client coordinates.
RECT OverlayRectInParent(HWND overlay);

// An overlay's WM_PAINT or WM_PRINTCLIENT (wParam: the DC to print into):
// both draw the client area through `draw`, so PrintWindow gets exactly the
// picture the screen gets.
using OverlayDrawing = std::function<void(HDC dc, int width, int height)>;
void DrawOverlay(HWND overlay, UINT message, WPARAM wParam, const OverlayDrawing& draw);

// Destroys the overlay's window on the overlay thread, the only thread that
// may; returns at once.
void CloseOnOverlayThread(Window& overlay);

// Makes `shape` (window coordinates) the overlay's window region, less the
// pixels of the game that the screen reading examines, so our own windows
// never change what the reading sees. The window owns the region afterwards.
void SetOverlayRegion(HWND overlay, ScopedRegion shape);

}  // namespace gkr
