#include "input/accel_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

AccelDlg::AccelDlg() : Dialog(IDD_ACCEL_PAGE) {}

Procedure AccelDlg::DialogProc() { return &StaticProcedure<AccelDlg>; }

INT_PTR AccelDlg::OnMessage(HWND window, UINT message, WPARAM, LPARAM) {
    return DefaultPageMessage(window, message);
}

}  // namespace gkr
