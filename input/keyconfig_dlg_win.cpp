#include "input/keyconfig_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

KeyconfigDlg::KeyconfigDlg() : Dialog(IDD_KEYCONFIG_PAGE) {}

Procedure KeyconfigDlg::DialogProc() { return &StaticProcedure<KeyconfigDlg>; }

INT_PTR KeyconfigDlg::OnMessage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace gkr
