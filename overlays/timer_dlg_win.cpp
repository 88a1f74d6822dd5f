#include "overlays/timer_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

TimerDlg::TimerDlg() : Dialog(IDD_TIMER_PAGE), timerWnd(TimerWnd::Instance()) {}

Procedure TimerDlg::DialogProc() { return &StaticProcedure<TimerDlg>; }

INT_PTR TimerDlg::OnMessage(HWND window, UINT message, WPARAM, LPARAM) {
    return DefaultPageMessage(window, message);
}

void TimerDlg::Sync(bool /*fromControls*/) {
    if (!Exists()) return;
    // The page's controls arrive with the quest timer.
}

}  // namespace gkr
