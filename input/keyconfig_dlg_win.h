// The game key-configuration page of the manager dialog: named backups of
// the game's key binding file.
#pragma once

#include "app/dialog_win.h"
#include "app/singleton.h"

namespace gkr {

class KeyconfigDlg : public Dialog, public Singleton<KeyconfigDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Singleton<KeyconfigDlg>;
    KeyconfigDlg();
};

}  // namespace gkr
