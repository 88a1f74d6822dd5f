// What the three overlays share: their creation over the game window (which
// belongs to another process) as its children or as top-level windows it
// owns (overlay_mode.h), the window calls other threads may make on them,
// and their window regions. Every position here is in the game window's
// client coordinates, in both modes.
#pragma once

#include <functional>

#include "app/framework/scoped_win.h"
#include "app/framework/window_win.h"
#include "overlays/overlay_follow.h"
#include "overlays/overlay_mode.h"

namespace gkr {

struct OverlayLook {
    const wchar_t* className;
    const wchar_t* title;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;  // in the game window's client coordinates
};

// The mode of this run: GKR_OVERLAY_MODE, else top-level exactly under Wine.
// Decided once; the Windows tests force one through Seams::overlayMode.
OverlayMode ActiveOverlayMode();

// The game window that holds the overlays while it exists, else the one a
// lookup finds: the screen reading and the overlays stay on one window when
// two game clients run. NULL when no game runs.
HWND OverlayGameWindow();

// Finds the game window (in the child mode making it clip its children),
// destroys the window the overlay still holds, registers the class and
// creates the overlay over the game window. A visible look is shown (in the
// top-level mode only while the game is shown). Returns the new handle (also
// stored in overlay.handle), or NULL without touching the overlay when the
// game is not running. Runs on the overlay thread: it may wait on the game.
HWND CreateOverlay(Window& overlay, const OverlayLook& look);

// Overlay thread: places an overlay at once (x, y in client coordinates).
void PlaceOverlayNow(HWND overlay, int x, int y, int width, int height, bool repaint);

// The game window's frame as top-level overlays follow it: a window of
// another process, read with a few calls that never wait on it.
GameFrame ReadGameFrame(HWND game);
// The game window and frame the top-level overlays are placed for.
HWND FollowedGameWindow();
GameFrame PlacedGameFrame();
// Overlay thread: moves, hides, shows or closes the top-level overlays so
// they sit over `game` as `now` shows it.
void FollowGameNow(HWND game, const GameFrame& now);

// What a top-level overlay answers itself: no activation on a click; no
// hiding, showing, minimising or moving by the owner or a window manager
// (the follower does that); a drag by the caption moved by the overlay
// itself, which then gets kOverlayMovedByPlayerMessage. True when it took the
// message; `result` is the answer.
bool TopLevelOverlayMessage(HWND overlay, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Makes the game window topmost or releases it (asynchronously: a hung game
// holds nothing). Top-level overlays follow it, and the game first gives up
// owning them, which Wine needs before it makes a window topmost: with them
// it is a job of the overlay thread.
void PlaceGameOnTop(bool topmost);

// The child mode's paint: the game may have dropped its clip-children style.
void KeepGameClipping(HWND overlay);

// Registers an overlay window class; registering it again fails harmlessly.
void RegisterOverlayClass(const wchar_t* className, WNDPROC procedure);

// Window calls on an overlay from another thread than the overlay thread,
// which may be caught by a hung game: they never wait for it. The change is
// handed to that thread (ShowWindowAsync, SWP_ASYNCWINDOWPOS, or a posted job
// in the top-level mode) and takes effect when it next takes messages.
void ShowOverlay(HWND overlay, bool show);
void MoveOverlay(HWND overlay, int x, int y, int width, int height);  // repainted
void ResizeOverlay(HWND overlay, int width, int height);
// The same on the overlay thread, at once.
void ShowOverlayNow(HWND overlay, bool show);
void MoveOverlayNow(HWND overlay, int x, int y, int width, int height);
void MoveOverlayToNow(HWND overlay, int x, int y);  // size kept

// The overlay's window rectangle in the game window's client coordinates.
RECT OverlayRectInGame(HWND overlay);

// An overlay's WM_PAINT, kRepaintOverlayMessage or WM_PRINTCLIENT (wParam:
// the DC to print into): all draw the client area through `draw`, so
// PrintWindow gets exactly the picture the screen gets.
using OverlayDrawing = std::function<void(HDC dc, int width, int height)>;
void DrawOverlay(HWND overlay, UINT message, WPARAM wParam, const OverlayDrawing& draw);

// Asks the overlay to draw its changed face now (kRepaintOverlayMessage);
// returns at once, so the worker never waits for the overlay thread.
void RepaintOverlay(HWND overlay);

// Destroys the overlay's window on the overlay thread, the only thread that
// may; returns at once.
void CloseOnOverlayThread(Window& overlay);

// Makes `shape` (window coordinates) the overlay's window region, less the
// pixels of the game that the screen reading examines, so our own windows
// never change what the reading sees. The window owns the region afterwards.
void SetOverlayRegion(HWND overlay, ScopedRegion shape);

}  // namespace gkr
