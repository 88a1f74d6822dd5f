#include "overlays/flute_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

FluteDlg::FluteDlg() : Dialog(IDD_FLUTE_PAGE), fluteWnd(FluteWnd::Instance()) {}

Procedure FluteDlg::DialogProc() { return &StaticProcedure<FluteDlg>; }

INT_PTR FluteDlg::OnMessage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void FluteDlg::Sync(bool /*fromControls*/) {
    if (!Exists()) return;
    // The page's controls arrive with the song-sheet overlay.
}

}  // namespace gkr
