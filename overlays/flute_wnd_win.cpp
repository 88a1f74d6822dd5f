#include "overlays/flute_wnd_win.h"

#include "app/contract.h"
#include "app/game_window_win.h"
#include "app/overlay_win.h"
#include "overlays/overlay_geometry.h"
#include "settings/settings.h"

namespace gkr {

Procedure FluteWnd::DialogProc() { return &StaticProcedure<FluteWnd>; }

LRESULT FluteWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void FluteWnd::OnNotes(const int32_t notes[5]) { (void)notes; }

void FluteWnd::Reset() {}

HWND FluteWnd::Create() {
    HWND game = PrepareGameWindow();
    if (!game) return nullptr;
    Close();

    // A position saved for a larger game window would leave the panel out of reach.
    Settings& s = AppSettings();
    RECT client = {};
    GetClientRect(game, &client);
    s.FluteWndX = ClampSheetPosition(s.FluteWndX.load(), client.right);
    s.FluteWndY = ClampSheetPosition(s.FluteWndY.load(), client.bottom);
    const int x = s.FluteWndX.load(), y = s.FluteWndY.load();

    const OverlayLook look = {kFluteWndClass, L"악보", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
                              WS_EX_TOOLWINDOW | WS_EX_TOPMOST, x, y, kSheetWidth, kSheetCreateHeight};
    HWND window = CreateOverlay(*this, look);
    if (!window) return nullptr;
    MoveWindow(window, x, y, kSheetWidth, kSheetCreateHeight, FALSE);
    Reset();
    if (s.UseFlute.load() != 0) ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace gkr
