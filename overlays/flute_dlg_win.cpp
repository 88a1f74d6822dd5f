#include "overlays/flute_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

FluteDlg::FluteDlg() : Dialog(IDD_FLUTE_PAGE), fluteWnd(FluteWnd::Instance()) {}

Procedure FluteDlg::DialogProc() { return &StaticProcedure<FluteDlg>; }

INT_PTR FluteDlg::OnMessage(HWND window, UINT message, WPARAM, LPARAM) {
    return DefaultPageMessage(window, message);
}

void FluteDlg::Sync(bool /*fromControls*/) {
    if (!Exists()) return;
    // The page's controls arrive with the song-sheet overlay.
}

}  // namespace gkr
