#include "overlays/energy_dlg_win.h"

#include <string>

#include "resources/page_ids.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// Asks the page to show a maximum health (wParam). Only the number travels:
// a send that times out may still be handled later, when a text buffer of
// the sender's would be gone.
constexpr UINT kShowMaxHealthMessage = WM_APP + 1;

// The worker writes into the page while the user-interface thread may be busy
// or shutting down: the send gives up rather than hold the worker's pass.
constexpr UINT kPageSendTimeoutMs = 1000;

}  // namespace

EnergyDlg::EnergyDlg() : Dialog(IDD_ENERGY_PAGE), energyWnd(EnergyWnd::Instance()) {}

Procedure EnergyDlg::DialogProc() { return &StaticProcedure<EnergyDlg>; }

INT_PTR EnergyDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        handle = window;  // CreateDialogParamW has not returned it yet
        Sync(false);
        return TRUE;
    case kShowMaxHealthMessage: {
        const int32_t maxHealth = static_cast<int32_t>(static_cast<uint32_t>(wParam));
        SetDlgItemTextW(window, IDC_ENERGY_MAXHEALTH, std::to_wstring(maxHealth).c_str());
        return TRUE;
    }
    default:
        return DefaultPageMessage(window, message);
    }
}

void EnergyDlg::Sync(bool fromControls) {
    HWND page = handle;
    if (!page || !IsWindow(page)) return;
    if (!fromControls) ShowMaxHealth(page);
    // The check box, the offsets and the placement of the bar arrive with the energy bar.
}

void EnergyDlg::ShowMaxHealth(HWND page) {
    const uint32_t maxHealth = static_cast<uint32_t>(AppSettings().MaxHealth.load());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(page, kShowMaxHealthMessage, maxHealth, 0, SMTO_NORMAL, kPageSendTimeoutMs, &ignored);
}

}  // namespace gkr
