// The modal key capture dialog: records a keyboard or gamepad combination
// for one hotkey while it is open (run with RunModal).
#pragma once

#include "app/dialog_win.h"
#include "app/singleton.h"

namespace gkr {

class SelectDlg : public Dialog, public Singleton<SelectDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Singleton<SelectDlg>;
    SelectDlg();
};

}  // namespace gkr
