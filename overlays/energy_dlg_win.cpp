#include "overlays/energy_dlg_win.h"

#include "resources/page_ids.h"

namespace gkr {

EnergyDlg::EnergyDlg() : Dialog(IDD_ENERGY_PAGE), energyWnd(EnergyWnd::Instance()) {}

Procedure EnergyDlg::DialogProc() { return &StaticProcedure<EnergyDlg>; }

INT_PTR EnergyDlg::OnMessage(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void EnergyDlg::Sync(bool /*fromControls*/) {
    if (!Exists()) return;
    // The page's controls arrive with the energy bar.
}

}  // namespace gkr
