#include "overlays/energy_dlg_win.h"

#include <commctrl.h>

#include <string>

#include "overlays/overlay_procedure_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/page_controls_win.h"
#include "overlays/overlay_messages.h"
#include "overlays/timer_wnd_win.h"
#include "resources/page_ids.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// The offsets also move where the screen is read, so every overlay rebuilds
// the region that leaves the read pixels free. Posted: never waits.
void ReshapeOverlays() {
    for (Window* overlay : {static_cast<Window*>(&TimerWnd::Instance()), static_cast<Window*>(&EnergyWnd::Instance())})
        if (HWND window = overlay->Live()) PostMessageW(window, kReshapeOverlayMessage, 0, 0);
}

}  // namespace

EnergyDlg::EnergyDlg() : Dialog(IDD_ENERGY_PAGE), energyWnd(&EnergyWnd::Instance()) {}

Procedure EnergyDlg::DialogProc() { return &StaticProcedure<EnergyDlg>; }

INT_PTR EnergyDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_HSCROLL: {
        // An offset trackbar moved (mouse, keys or a program): lParam is the trackbar.
        const int id = lParam ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0;
        if (id == IDC_ENERGY_OFFSETX || id == IDC_ENERGY_OFFSETY) Sync(true);
        return 0;
    }
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id >= IDC_ENERGY_OFFSETX && id <= IDC_ENERGY_USE) Sync(true);
        return 0;
    }
    default:
        break;
    }
    OverlayPageMessage(*energyWnd, message);
    return DefaultPageMessage(window, message);
}

void EnergyDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    for (int id : {IDC_ENERGY_OFFSETX, IDC_ENERGY_OFFSETY}) {
        SetTrackbarRange(window, id, -kMaxOffset, kMaxOffset);
        SendDlgItemMessageW(window, id, TBM_SETPAGESIZE, 0, 1);
        SendDlgItemMessageW(window, id, TBM_SETLINESIZE, 0, 1);
    }
    Sync(false);
}

void EnergyDlg::Sync(bool fromControls) {
    if (HWND page = Live()) SyncPage(page, fromControls);
    PlaceEnergyBar();
}

void EnergyDlg::SyncPage(HWND page, bool fromControls) {
    Settings& s = Settings::Instance();
    if (fromControls) {
        const int32_t oldX = s.OffsetX.load(), oldY = s.OffsetY.load();
        s.UseEnergy = IsChecked(page, IDC_ENERGY_USE) ? 1 : 0;
        s.OffsetX = TrackbarPosition(page, IDC_ENERGY_OFFSETX);
        s.OffsetY = TrackbarPosition(page, IDC_ENERGY_OFFSETY);
        if (ClampOffset(oldX) != ClampOffset(s.OffsetX.load()) || ClampOffset(oldY) != ClampOffset(s.OffsetY.load()))
            ReshapeOverlays();
    } else {
        SetChecked(page, IDC_ENERGY_USE, s.UseEnergy.load() != 0);
        SetTrackbarPosition(page, IDC_ENERGY_OFFSETX, ClampOffset(s.OffsetX.load()));
        SetTrackbarPosition(page, IDC_ENERGY_OFFSETY, ClampOffset(s.OffsetY.load()));
        SetText(page, IDC_ENERGY_MAXHEALTH, std::to_wstring(s.MaxHealth.load()));
    }
    // The offsets in use: a stored value beyond the trackbar's range counts as its end.
    SetText(page, IDC_ENERGY_OFFSETS,
            std::to_wstring(ClampOffset(s.OffsetX.load())) + L", " + std::to_wstring(ClampOffset(s.OffsetY.load())));
}

void EnergyDlg::PlaceEnergyBar() {
    const Settings& s = Settings::Instance();
    energyWnd->Place(s.UseEnergy.load(), s.MaxHealth.load(), s.OffsetX.load(), s.OffsetY.load());
}

}  // namespace gkr
