// The energy bar page of the manager dialog: shows the maximum health read
// from the screen and lets the user switch the bar and shift it.
#pragma once

#include "app/dialog_win.h"
#include "app/singleton.h"
#include "overlays/energy_wnd_win.h"

namespace gkr {

class EnergyDlg : public Dialog, public Singleton<EnergyDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back, and places the energy bar. Does nothing while the page does not
    // exist. Called from the worker too; never waits long for the page.
    void Sync(bool fromControls);

    EnergyWnd* energyWnd;

private:
    friend class Singleton<EnergyDlg>;
    EnergyDlg();

    void ShowMaxHealth(HWND page);  // "체력 최대": MaxHealth as a decimal number
};

}  // namespace gkr
