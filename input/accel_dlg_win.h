// The hotkey page of the manager dialog: the actions by name, the switches
// for keyboard, pad and pad axes, and the capture of a combination for the
// selected action.
#pragma once

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "input/select_dlg_win.h"

namespace gkr {

class AccelDlg : public Dialog, public Singleton<AccelDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves the eight switches from the check boxes into the settings
    // (fromControls), or back.
    void Sync(bool fromControls);

private:
    friend class Singleton<AccelDlg>;
    AccelDlg();

    void OnInitDialog(HWND window);
    void FillList(HWND list);
    // Opens the capture dialog for the selected row; nothing without one.
    void EditSelected(HWND window, CaptureMode mode);
};

}  // namespace gkr
