#include "app/startup_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/app_core_win.h"
#include "app/framework/player_message_win.h"
#include "app/startup_tasks.h"
#include "app/game/game_control_win.h"
#include "app/manage_dlg_win.h"
#include "app/framework/module_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "input/key_files_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_wnd_win.h"

namespace gkr {

bool ProgramStart::Run(StartStep step) {
    switch (step) {
    case StartStep::Worker:
        return AppCore::Instance().StartWorker();
    case StartStep::OverlayThread:
        // Before the manager dialog, whose one-second timer hands it the overlays.
        return OverlayThread::Instance().Start();
    case StartStep::ManagerDialog: {
        // The dialogs use the tab control, list views and trackbars of Common Controls 6.
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);
        ManageDlg* manager = &ManageDlg::Instance();
        if (!manager->Create(nullptr)) return false;
        if (!manager->OverlayTimerStarted()) {
            DestroyWindow(manager->handle);
            return false;
        }
        ShowWindow(manager->handle, SW_SHOW);
        return true;
    }
    }
    return false;
}

void ProgramStart::Undo(StartStep step) {
    switch (step) {
    case StartStep::Worker:
        if (!AppCore::Instance().StopWorker(kWorkerStopBoundMs)) stuck_ = true;
        break;
    case StartStep::OverlayThread:
        if (!OverlayThread::Instance().Stop(kOverlayStopBoundMs)) stuck_ = true;
        break;
    case StartStep::ManagerDialog:
        break;  // the last step: nothing after it can fail
    }
}

void ProgramStart::Report(const wchar_t* text) { TellPlayer(text); }

BOOL InitApplication(HINSTANCE instance, ProgramStart& start) {
    SetModuleInstance(instance);
    // Registered first, so the game watch's first pass is due a period after
    // the start began, not after the manager dialog is up; the tasks find no
    // overlays before the dialog's timer makes them.
    AppCore* core = &AppCore::Instance();
    std::vector<int32_t> tasks;
    for (const StartupTask& task : kStartupTasks) tasks.push_back(core->RegisterTask(task.code, task.seconds));
    if (!RunStartSteps(start)) {
        if (start.Stuck()) ExitProcess(static_cast<UINT>(kStartFailedExitCode));
        for (int32_t id : tasks) core->UnregisterTask(id);
        return FALSE;
    }
    return TRUE;
}

BOOL InitApplication(HINSTANCE instance) {
    ProgramStart start;
    return InitApplication(instance, start);
}

int RunMessageLoop() {
    MSG msg = {};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 0;  // cannot happen with a NULL window filter; never spin on it
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int ShutDown(int exitCode) {
    // The player's key file comes back first, before anything below can end
    // the process (the "종료" path has done it already with the pages).
    EndKeySession();
    // conf.xml has been saved by the manager dialog before WM_QUIT was posted.
    // The dialog is left as it is: the close box keeps it and its pages until
    // the process ends, so their end handlers run only on the exit commands.
    // No more overlay creation while the process ends.
    if (HWND manager = ManageDlg::Instance().handle) KillTimer(manager, kOverlayTimerId);
    const ULONGLONG deadline = GetTickCount64() + kThreadsStopBoundMs;
    const auto left = [deadline](DWORD bound) {
        const ULONGLONG now = GetTickCount64();
        return now >= deadline ? DWORD{0} : static_cast<DWORD>(std::min<ULONGLONG>(bound, deadline - now));
    };
    const bool workerStopped = AppCore::Instance().StopWorker(left(kWorkerStopBoundMs));

    // The overlays go with the thread that owns them. A game that does not
    // answer can hold that thread inside a window call for as long as it hangs.
    CloseOnOverlayThread(TimerWnd::Instance());
    CloseOnOverlayThread(EnergyWnd::Instance());
    CloseOnOverlayThread(FluteWnd::Instance());
    const bool overlaysStopped = OverlayThread::Instance().Stop(left(kOverlayStopBoundMs));

    // A force quit the player asked for finishes before the process ends; it
    // is bounded by itself. The manager the player closed is not left on
    // screen meanwhile.
    if (ForceQuitRunning())
        if (HWND manager = ManageDlg::Instance().Live()) ShowWindow(manager, SW_HIDE);
    const bool forceQuitDone = FinishForceQuit(kForceQuitBoundMs);

    if (!workerStopped || !overlaysStopped || !forceQuitDone) {
        // A thread is stuck, blocked on something outside this process (a hung
        // game window). Returning would destroy the settings and lists it may
        // be reading; ExitProcess ends it before any of them is destroyed, and
        // the system takes the overlay windows with the process. Everything
        // worth keeping is saved already.
        ExitProcess(static_cast<UINT>(exitCode));
    }
    return exitCode;
}

}  // namespace gkr
