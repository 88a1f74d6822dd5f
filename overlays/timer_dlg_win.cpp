#include "overlays/timer_dlg_win.h"

#include "overlays/overlay_procedure_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/page_controls_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/overlay_messages.h"
#include "resources/page_ids.h"
#include "settings/settings.h"

namespace gkr {

TimerDlg::TimerDlg() : Dialog(IDD_TIMER_PAGE), timerWnd(&TimerWnd::Instance()) {}

Procedure TimerDlg::DialogProc() { return &StaticProcedure<TimerDlg>; }

INT_PTR TimerDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_HSCROLL:
        // The size trackbar moved (mouse, keys or a program): lParam is the trackbar.
        if (lParam && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_TIMER_SIZE) Sync(true);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_TIMER_AUTOSTART:
        case IDC_TIMER_USE:
        case IDC_TIMER_SIZE:
            Sync(true);
            break;
        default:
            break;
        }
        return 0;
    default:
        break;
    }
    OverlayPageMessage(*timerWnd, message);
    return DefaultPageMessage(window, message);
}

void TimerDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    SetTrackbarRange(window, IDC_TIMER_SIZE, kMinTimerSize, kMaxTimerSize);
    Sync(false);
}

void TimerDlg::Sync(bool fromControls) {
    Settings& s = Settings::Instance();
    const int32_t oldSize = s.TimerSize.load();
    if (HWND page = Live()) {
        if (fromControls) {
            s.UseAutoTimer = IsChecked(page, IDC_TIMER_AUTOSTART) ? 1 : 0;
            s.UseTimer = IsChecked(page, IDC_TIMER_USE) ? 1 : 0;
            s.TimerSize = TrackbarPosition(page, IDC_TIMER_SIZE);
        } else {
            SetChecked(page, IDC_TIMER_AUTOSTART, s.UseAutoTimer.load() != 0);
            SetChecked(page, IDC_TIMER_USE, s.UseTimer.load() != 0);
            SetTrackbarPosition(page, IDC_TIMER_SIZE, ClampTimerSize(s.TimerSize.load()));
        }
    }

    HWND overlay = timerWnd->Live();
    if (!overlay) return;
    const int32_t useTimer = s.UseTimer.load();
    if (overlay != visibilityWindow_ || useTimer != visibilityUseTimer_) {
        ShowOverlay(overlay, useTimer != 0);
        visibilityWindow_ = overlay;
        visibilityUseTimer_ = useTimer;
    }
    if (s.TimerSize.load() == oldSize) return;
    const double scale = TimerScale(s.TimerSize.load());
    OverlayThread::Instance().Post([this, scale] { timerWnd->SetScale(scale); });
}

}  // namespace gkr
