#include "app/game_window_win.h"

#include "app/contract.h"

namespace gkr {

HWND FindGameWindow() { return FindWindowW(kGameWindowClass, nullptr); }

HWND PrepareGameWindow() {
    HWND game = FindGameWindow();
    if (!game) return nullptr;
    LONG style = GetWindowLongW(game, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) SetWindowLongW(game, GWL_STYLE, style | WS_CLIPCHILDREN);
    return game;
}

}  // namespace gkr
