#include "overlays/flute_wnd_win.h"

namespace gkr {

Procedure FluteWnd::DialogProc() { return &StaticProcedure<FluteWnd>; }

LRESULT FluteWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void FluteWnd::OnNotes(const int32_t notes[5]) { (void)notes; }

void FluteWnd::Reset() {}

}  // namespace gkr
