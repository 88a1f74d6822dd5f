// The process-wide core: the periodic task scheduler, the worker thread that
// runs it, and the dispatcher: the worker runs the tasks, and the hotkey
// actions it matches run on the user-interface thread, which alone changes
// the settings, the pages and the timer's clock.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "app/dispatch_plan.h"
#include "app/framework/singleton.h"
#include "app/framework/task_scheduler.h"
#include "input/input_poll_win.h"

namespace gkr {

class EnergyDlg;
class TimerDlg;
class FluteDlg;
class FluteWnd;
class EnergyWnd;
class TimerWnd;

class AppCore : public Singleton<AppCore> {
public:
    // Registers a periodic task; its period starts now. Returns its id.
    int32_t RegisterTask(int32_t code, double seconds);
    void UnregisterTask(int32_t id);

    // The worker thread only: runs one task, or posts an action code to the
    // user-interface thread, which runs it (RunAction).
    void Dispatch(int32_t code);
    // The user-interface thread only: runs one hotkey action code.
    void RunAction(int32_t code);
    // Looks at the hotkeys and runs the actions matched; on the worker thread only.
    void PollInput();

    // The tasks with this code run at the worker's next pass, which is woken
    // for them; their period stays. From any thread.
    void RunSoon(int32_t code);

    // Starts the worker thread, which waits until something is due before
    // each pass. False when no thread could be made. The user-interface
    // thread only.
    bool StartWorker();

    // Tells the worker to end, wakes it and waits at most boundMs for it (it
    // finishes a pass under way), answering messages sent to this thread's
    // windows meanwhile. True when the worker has ended (or never ran). The
    // user-interface thread only.
    bool StopWorker(DWORD boundMs);

    // True from a successful StartWorker until a StopWorker that saw it end.
    bool WorkerStarted() const { return workerThread_ != nullptr; }

    TaskScheduler& Tasks() { return tasks_; }

private:
    friend class Singleton<AppCore>;
    friend DWORD WINAPI WorkerThreadProc(LPVOID);
    AppCore();

    // What the dispatch plan decides from: the settings and the overlays.
    DispatchState State() const;
    // The worker's loop; returns 0 once running_ is cleared.
    int32_t RunWorker();

    // The overlays and their pages the dispatcher acts on: the process-wide
    // objects, never destroyed.
    EnergyDlg* const energyDlg_;
    TimerDlg* const timerDlg_;
    FluteDlg* const fluteDlg_;
    FluteWnd* const fluteWnd_;
    EnergyWnd* const energyWnd_;
    TimerWnd* const timerWnd_;

    // 1 while the worker shall go on: written by the user-interface thread, read by the worker.
    std::atomic<int32_t> running_{0};
    HANDLE workerThread_ = nullptr;  // the user-interface thread's alone

    // Registered by the user-interface thread before the worker starts (and
    // dropped after it stopped); while it runs, the worker's passes write it.
    TaskScheduler tasks_;
    InputPoll input_;  // the worker's alone
};

// Thread entry of the worker: AppCore::Instance().RunWorker().
DWORD WINAPI WorkerThreadProc(LPVOID);

}  // namespace gkr
