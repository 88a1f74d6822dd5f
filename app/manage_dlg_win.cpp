#include "app/manage_dlg_win.h"

#include "app/defaults.h"
#include "input/accel_dlg_win.h"
#include "input/keyconfig_dlg_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/manager_ids.h"
#include "settings/settings.h"

namespace gkr {

ManageDlg::ManageDlg()
    : Dialog(IDD_MANAGER),
      energyDlg(EnergyDlg::Instance()),
      energyWnd(EnergyWnd::Instance()),
      accelDlg(AccelDlg::Instance()),
      timerDlg(TimerDlg::Instance()),
      timerWnd(TimerWnd::Instance()),
      fluteDlg(FluteDlg::Instance()),
      fluteWnd(FluteWnd::Instance()),
      keyconfigDlg(KeyconfigDlg::Instance()) {}

Procedure ManageDlg::DialogProc() { return &StaticProcedure<ManageDlg>; }

INT_PTR ManageDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window);
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The close box ends the program without destroying the dialog here;
        // shutdown destroys it after the worker has stopped.
        SaveSettings();
        PostQuitMessage(0);
        return TRUE;
    case WM_DESTROY:
        SaveSettings();
        PostQuitMessage(0);
        return TRUE;
    case WM_NCDESTROY:
        if (handle == window) handle = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL ManageDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    LoadSettings();
    tab = GetDlgItem(window, IDC_MANAGER_TAB);
    CreatePages();
    return TRUE;
}

void ManageDlg::OnCommand(HWND window, WORD id) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDC_MANAGER_EXIT:
        SaveSettings();
        timerWnd->Close();
        CloseWindow(window);
        DestroyWindow(window);  // its WM_DESTROY saves again and ends the message loop
        break;
    default:
        // The game buttons arrive with game process control.
        break;
    }
}

void ManageDlg::LoadSettings() {
    // conf.xml and SData.xml are read here once the settings file code exists.
    Settings& settings = AppSettings();
    if (settings.accels.Size() == 0) BuildDefaultActionList(settings);
}

void ManageDlg::SaveSettings() {
    // conf.xml is written here once the settings file code exists.
}

void ManageDlg::CreatePages() {
    // The five pages arrive with their own parts of the program.
}

}  // namespace gkr
