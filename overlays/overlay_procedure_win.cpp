#include "overlays/overlay_procedure_win.h"

#include "app/framework/page_controls_win.h"
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

std::optional<INT_PTR> OverlayPageMessage(Window& overlay, UINT message, WPARAM wParam,
                                          const std::function<void(bool fromControls)>& sync) {
    switch (message) {
    case kPageSyncMessage:
        sync(wParam != 0);
        return TRUE;
    case WM_DESTROY:
        CloseOnOverlayThread(overlay);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

}  // namespace gkr
