// The timer page of the manager dialog: timer on or off, automatic start,
// and the overlay's size.
#pragma once

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "overlays/timer_wnd_win.h"

namespace gkr {

class TimerDlg : public Dialog, public Singleton<TimerDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back, then shows or hides the overlay and resizes it. The overlay's
    // visibility is set only when UseTimer changed (or the overlay is a new
    // window), so a timer hidden by its hotkey stays hidden meanwhile.
    void Sync(bool fromControls);

    TimerWnd* timerWnd;

private:
    friend class Singleton<TimerDlg>;
    TimerDlg();

    void OnInitDialog(HWND window);

    // The overlay window that visibility was last set for, and to what:
    // written and read by the user-interface thread alone.
    HWND visibilityWindow_ = nullptr;
    int32_t visibilityUseTimer_ = 0;
};

}  // namespace gkr
