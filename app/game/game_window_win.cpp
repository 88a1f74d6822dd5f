#include "app/game/game_window_win.h"

#include "app/framework/contract.h"

namespace gkr {

HWND FindGameWindow() { return FindWindowW(kGameWindowClass, nullptr); }

void EnsureClipsChildren(HWND game) {
    if (!game) return;
    const LONG style = GetWindowLongW(game, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) SetWindowLongW(game, GWL_STYLE, style | WS_CLIPCHILDREN);
}

HWND PrepareGameWindow() {
    HWND game = FindGameWindow();
    EnsureClipsChildren(game);
    return game;
}

}  // namespace gkr
