#include "input/accel_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

AccelDlg::AccelDlg() : Dialog(IDD_ACCEL_PAGE) {}

Procedure AccelDlg::DialogProc() { return &StaticProcedure<AccelDlg>; }

INT_PTR AccelDlg::OnMessage(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_NCDESTROY:
        if (handle == window) handle = nullptr;  // a later Create must not touch a reused handle
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace gkr
