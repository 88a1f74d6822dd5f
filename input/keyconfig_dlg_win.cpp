#include "input/keyconfig_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

KeyconfigDlg::KeyconfigDlg() : Dialog(IDD_KEYCONFIG_PAGE) {}

Procedure KeyconfigDlg::DialogProc() { return &StaticProcedure<KeyconfigDlg>; }

INT_PTR KeyconfigDlg::OnMessage(HWND window, UINT message, WPARAM, LPARAM) {
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
