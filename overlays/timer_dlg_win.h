// The timer page of the manager dialog: timer on or off, automatic start,
// and the overlay's size.
#pragma once

#include "app/dialog_win.h"
#include "app/singleton.h"
#include "overlays/timer_wnd_win.h"

namespace gkr {

class TimerDlg : public Dialog, public Singleton<TimerDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back. Does nothing while the page does not exist.
    void Sync(bool fromControls);

    TimerWnd* timerWnd;

private:
    friend class Singleton<TimerDlg>;
    TimerDlg();
};

}  // namespace gkr
