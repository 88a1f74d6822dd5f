#include "input/keyconfig_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

KeyconfigDlg::KeyconfigDlg() : Dialog(IDD_KEYCONFIG_PAGE) {}

Procedure KeyconfigDlg::DialogProc() { return &StaticProcedure<KeyconfigDlg>; }

INT_PTR KeyconfigDlg::OnMessage(HWND window, UINT message, WPARAM, LPARAM) {
    return DefaultPageMessage(window, message);
}

}  // namespace gkr
