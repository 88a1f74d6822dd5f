// The hotkey page of the manager dialog: the eight actions with their bound
// keys and pad inputs, and the switches for keyboard, pad and pad axes.
#pragma once

#include "app/dialog_win.h"
#include "app/singleton.h"

namespace gkr {

class AccelDlg : public Dialog, public Singleton<AccelDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Singleton<AccelDlg>;
    AccelDlg();
};

}  // namespace gkr
