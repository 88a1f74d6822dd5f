// The manager dialog: the program's only top-level window. It hosts the
// settings pages in a tab control, carries the game buttons, is the
// user-interface thread's mailbox (interface_mail_win.h), has the overlays
// created while the game runs, and ends the program when it is closed.
#pragma once

#include <atomic>
#include <vector>

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"

namespace gkr {

class AccelDlg;
class EnergyDlg;
class EnergyWnd;
class FluteDlg;
class FluteWnd;
class KeyconfigDlg;
class TimerDlg;
class TimerWnd;

// Id of the dialog's one-second timer that creates missing overlays.
constexpr UINT_PTR kOverlayTimerId = 1;

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
    // Whether the one-second timer that makes the overlays runs: without it
    // no overlay is ever made, so the start fails.
    bool OverlayTimerStarted() const { return overlayTimerStarted_; }

private:
    friend class Singleton<ManageDlg>;
    ManageDlg();

    BOOL OnInitDialog(HWND window);
    void OnCommand(HWND window, WORD id);
    void OnTabChanged();           // shows the selected page, hides the others
    // The one-second timer: hands the overlay thread a job that creates the
    // overlays that are missing while the game runs (at most one such job
    // waits at a time, so a thread caught by a hung game does not pile them up).
    void CreateMissingOverlays();
    void CreateMissingOverlaysNow();  // the job, on the overlay thread
    void LoadDataFiles();          // conf.xml and SData.xml, read once at creation
    // conf.xml, written on every way out. False when it could not be written
    // (the old file, if any, is then left whole).
    bool SaveSettingsFile();
    // The close box and "종료": saves, and tells the player once when the
    // player's changes could not be kept.
    void SaveSettingsOnClose();
    void CreatePages();            // the five settings pages inside the tab control
    void AddTabItems();
    void PlacePages();             // each page over the tab control's display area

    // Overlay creation jobs handed over (written by this, the user-interface
    // thread) and run (written by the overlay thread): one waits while they differ.
    uint32_t overlayJobsPosted_ = 0;
    std::atomic<uint32_t> overlayJobsRun_{0};
    bool keepBeforeSave_ = false;  // conf.xml was there but not read whole, or read from UTF-8
    bool saveFailureTold_ = false;
    bool overlayTimerStarted_ = false;
};

}  // namespace gkr
