// The manager dialog: the program's only top-level window. It hosts the
// settings pages in a tab control, carries the game buttons, and ends the
// program when it is closed.
#pragma once

#include <vector>

#include "app/dialog_win.h"
#include "app/singleton.h"

namespace gkr {

class AccelDlg;
class EnergyDlg;
class EnergyWnd;
class FluteDlg;
class FluteWnd;
class KeyconfigDlg;
class TimerDlg;
class TimerWnd;

class ManageDlg : public Dialog, public Singleton<ManageDlg> {
public:
    HWND tab = nullptr;        // the tab control hosting the pages
    std::vector<HWND> pages;   // page windows in tab order
    EnergyDlg* energyDlg;
    EnergyWnd* energyWnd;
    AccelDlg* accelDlg;
    TimerDlg* timerDlg;
    TimerWnd* timerWnd;
    FluteDlg* fluteDlg;
    FluteWnd* fluteWnd;
    KeyconfigDlg* keyconfigDlg;

    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Singleton<ManageDlg>;
    ManageDlg();

    BOOL OnInitDialog(HWND window);
    void OnCommand(HWND window, WORD id);
    void LoadSettings();  // conf.xml and the song sheets, read once at creation
    void SaveSettings();  // conf.xml, written on every way out
    void CreatePages();   // the five settings pages inside the tab control
};

}  // namespace gkr
