// The energy bar page of the manager dialog: shows the maximum health read
// from the screen and lets the user switch the bar and shift it.
#pragma once

#include <cstdint>
#include <optional>
#include <tuple>

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "overlays/energy_wnd_win.h"

namespace gkr {

class EnergyDlg : public Dialog, public Singleton<EnergyDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back, and places the energy bar. Called from the worker too: the
    // page's part then runs on the page's thread, waiting a second at most.
    void Sync(bool fromControls);

    EnergyWnd* energyWnd;

private:
    friend class Singleton<EnergyDlg>;
    EnergyDlg();

    void OnInitDialog(HWND window);
    void SyncPage(HWND page, bool fromControls);
    // Shows, hides or moves the bar; never waits on the overlay's thread.
    void PlaceEnergyBar();

    // What the worker's last synchronisation was made from (worker only).
    using WorkerSyncKey = std::tuple<int32_t, int32_t, int32_t, int32_t, HWND, HWND>;
    std::optional<WorkerSyncKey> workerSynced_;
};

}  // namespace gkr
