#include "app/app_core_win.h"

#include "app/dispatch_plan.h"
#include "app/game_watch_win.h"
#include "app/screen_state.h"
#include "app/thread_wait_win.h"
#include "app/worker_loop.h"
#include "input/input_poll_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "settings/settings.h"

namespace gkr {

int64_t PerformanceCount() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

namespace {

// The worker's view of the platform: the performance counter, the wait on
// the wake event, the dispatcher, the input poll and what the overlays need.
// Nothing here asks Wine whether a window is valid: that is asked where a
// window is acted on.
class CoreWorkerHost : public WorkerHost {
public:
    CoreWorkerHost(AppCore& core, HANDLE wake) : core_(core), wake_(wake) {}
    bool Wait(uint32_t ms) override {
        if (!wake_) {
            ::Sleep(ms);
            return false;
        }
        return WaitForSingleObject(wake_, ms) == WAIT_OBJECT_0;
    }
    int64_t Now() override { return PerformanceCount(); }
    int64_t Frequency() override { return core_.frequency; }
    void Dispatch(int32_t code) override { core_.Dispatch(code); }
    void PollInput() override { gkr::PollInput(); }
    bool NotePanelShown() override { return NotePanelVisible() != 0; }
    bool PollWanted() override { return InputPollWanted(); }
    std::optional<int64_t> TimerFaceChange(int64_t now) override { return core_.timerWnd->NextFaceChange(now); }
    std::optional<int64_t> SheetFaceChange(int64_t now) override { return core_.fluteWnd->NextFaceChange(now); }

private:
    AppCore& core_;
    HANDLE wake_;
};

}  // namespace

AppCore::AppCore()
    : energyDlg(EnergyDlg::Instance()),
      timerDlg(TimerDlg::Instance()),
      fluteDlg(FluteDlg::Instance()),
      fluteWnd(FluteWnd::Instance()),
      energyWnd(EnergyWnd::Instance()),
      timerWnd(TimerWnd::Instance()),
      tasks_(&PerformanceCount),
      wakeEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

int32_t AppCore::RegisterTask(int32_t code, double seconds) { return tasks_.RegisterTask(code, seconds); }

void AppCore::UnregisterTask(int32_t id) { tasks_.UnregisterTask(id); }

void AppCore::Dispatch(int32_t code) {
    Settings& settings = AppSettings();
    DispatchState state;
    state.useTimer = settings.UseTimer;
    state.useEnergy = settings.UseEnergy;
    state.useFlute = settings.UseFlute;
    state.timerRunning = timerWnd->IsRunning();
    state.timerWndExists = timerWnd->Exists();
    state.energyWndExists = energyWnd->Exists();
    state.fluteWndExists = fluteWnd->Exists();

    switch (PlanDispatch(code, state)) {
    case DispatchEffect::None:
        break;
    case DispatchEffect::ReadNotePanel:
        TaskNotePanel();
        break;
    case DispatchEffect::WatchGame:
        TaskGameWatch();
        break;
    case DispatchEffect::RedrawSheet:
        fluteWnd->RefreshIfChanged();
        break;
    case DispatchEffect::TickTimer:
        timerWnd->Tick();
        break;
    case DispatchEffect::StartTimer:
        timerWnd->Start();
        break;
    case DispatchEffect::StopTimer:
        timerWnd->Stop();
        break;
    case DispatchEffect::HideTimer:
        timerWnd->Hide();
        break;
    case DispatchEffect::ShowTimer:
        timerWnd->Show();
        break;
    case DispatchEffect::EnergyOff:
        settings.UseEnergy = 0;
        energyDlg->Sync(false);
        break;
    case DispatchEffect::EnergyOn:
        settings.UseEnergy = 1;
        energyDlg->Sync(false);
        break;
    case DispatchEffect::SheetOff:
        settings.UseFlute = 0;
        fluteDlg->Sync(false);
        break;
    case DispatchEffect::SheetOn:
        settings.UseFlute = 1;
        fluteDlg->Sync(false);
        break;
    }
}

int32_t AppCore::RunWorker() {
    CoreWorkerHost host(*this, wakeEvent_);
    return RunWorkerLoop(tasks_, running, host);
}

DWORD WINAPI WorkerThreadProc(LPVOID) { return static_cast<DWORD>(AppCore::Instance()->RunWorker()); }

void AppCore::StartWorker() {
    workerThread = CreateThread(nullptr, 0, WorkerThreadProc, nullptr, 0, nullptr);
}

void AppCore::Wake() {
    if (wakeEvent_) SetEvent(wakeEvent_);
}

bool AppCore::StopWorker(DWORD boundMs) {
    running = 0;
    Wake();
    if (!workerThread) return true;
    if (!WaitForThreadAnsweringSends(workerThread, boundMs)) return false;
    CloseHandle(workerThread);
    workerThread = nullptr;
    return true;
}

}  // namespace gkr
