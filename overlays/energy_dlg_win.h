// The energy bar page of the manager dialog: shows the maximum health read
// from the screen and lets the user switch the bar and shift it.
#pragma once

#include <cstdint>

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "overlays/energy_wnd_win.h"

namespace gkr {

class EnergyDlg : public Dialog, public Singleton<EnergyDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back, and places the energy bar.
    void Sync(bool fromControls);

    EnergyWnd* energyWnd;

private:
    friend class Singleton<EnergyDlg>;
    EnergyDlg();

    void OnInitDialog(HWND window);
    void SyncPage(HWND page, bool fromControls);
    // Has the bar shown, hidden or moved as the settings say.
    void PlaceEnergyBar();
};

}  // namespace gkr
