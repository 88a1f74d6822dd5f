#include "overlays/energy_wnd_win.h"

namespace gkr {

Procedure EnergyWnd::DialogProc() { return &StaticProcedure<EnergyWnd>; }

LRESULT EnergyWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    handle = window;  // known from the first message of CreateWindowExW on
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace gkr
