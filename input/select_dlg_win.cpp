#include "input/select_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

SelectDlg::SelectDlg() : Dialog(IDD_SELECT) {}

Procedure SelectDlg::DialogProc() { return &StaticProcedure<SelectDlg>; }

INT_PTR SelectDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(window, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace gkr
