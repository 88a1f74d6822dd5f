#include "app/overlay_win.h"

#include "app/game_window_win.h"
#include "app/module_win.h"

namespace gkr {

void RegisterOverlayClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND CreateOverlay(Window& overlay, const OverlayLook& look) {
    HWND game = PrepareGameWindow();
    if (!game) return nullptr;
    if (overlay.handle) overlay.Close();
    RegisterOverlayClass(look.className, overlay.DialogProc());
    overlay.handle = CreateWindowExW(look.exStyle, look.className, look.title, look.style, look.x, look.y,
                                     look.width, look.height, game, nullptr, ModuleInstance(), nullptr);
    return overlay.handle;
}

}  // namespace gkr
