#include "overlays/overlay_procedure_win.h"

#include "overlays/overlay_messages.h"

namespace gkr {

LRESULT OverlayWindowMessage(Window& overlay, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             const OverlayDrawing& draw) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        KeepGameClipping(window);  // the game may have dropped the style
        [[fallthrough]];
    case WM_PRINTCLIENT:
    case kRepaintOverlayMessage:
        DrawOverlay(window, message, wParam, draw);
        return 0;
    case WM_NCDESTROY:
        if (overlay.handle == window) overlay.handle = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void OverlayPageMessage(Window& overlay, UINT message) {
    if (message == WM_DESTROY) CloseOnOverlayThread(overlay);
}

}  // namespace gkr
