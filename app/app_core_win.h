// The process-wide core: the periodic task scheduler, the worker thread that
// runs it, and the dispatcher through which every task and hotkey action acts
// on the overlays and their settings pages.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "app/singleton.h"
#include "app/task_scheduler.h"

namespace gkr {

class EnergyDlg;
class TimerDlg;
class FluteDlg;
class FluteWnd;
class EnergyWnd;
class TimerWnd;

class AppCore : public Singleton<AppCore> {
public:
    EnergyDlg* energyDlg;
    TimerDlg* timerDlg;
    FluteDlg* fluteDlg;
    FluteWnd* fluteWnd;
    EnergyWnd* energyWnd;
    TimerWnd* timerWnd;

    int64_t frequency = 0;          // performance-counter ticks per second
    std::atomic<int32_t> running{0};  // 1 while the worker shall go on
    HANDLE workerThread = nullptr;

    // Registers a periodic task; its period starts now. Returns its id.
    int32_t RegisterTask(int32_t code, double seconds);
    void UnregisterTask(int32_t id);

    // Runs one task or action code; on the worker thread only.
    void Dispatch(int32_t code);

    // The worker's loop; returns 0 once `running` is cleared.
    int32_t RunWorker();

    // Starts the worker thread (running must be 1).
    void StartWorker();

    // Ends the worker's wait at once: from any thread, after a change to
    // what is due (a timer started, a binding, the songs listed).
    void Wake();

    // Clears `running`, wakes the worker and waits at most boundMs for it to
    // end (it finishes a pass under way), answering messages that it sends
    // to this thread's windows meanwhile. True when the worker has ended (or
    // never ran).
    bool StopWorker(DWORD boundMs);

    TaskScheduler& Tasks() { return tasks_; }

private:
    friend class Singleton<AppCore>;
    AppCore();

    TaskScheduler tasks_;
    HANDLE wakeEvent_ = nullptr;  // auto-reset; lives as long as the process
};

// Thread entry of the worker: AppCore::Instance()->RunWorker().
DWORD WINAPI WorkerThreadProc(LPVOID);

// The performance counter now.
int64_t PerformanceCount();

}  // namespace gkr
