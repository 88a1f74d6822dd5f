#include "app/app_core_win.h"

#include "app/dispatch_codes.h"
#include "app/dispatch_plan.h"
#include "app/framework/clock_win.h"
#include "app/framework/mail_messages.h"
#include "app/framework/mailbox_win.h"
#include "app/game_watch_win.h"
#include "app/framework/thread_wait_win.h"
#include "app/framework/worker_wake_win.h"
#include "app/worker_loop.h"
#include "input/input_poll_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/overlay_win.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// The worker's view of the platform: the performance counter, the wait on
// the wake signal, the dispatcher, the input poll (whose matched actions go to
// the dispatcher) and what the overlays need. Nothing here asks Wine whether
// a window is valid: that is asked where a window is acted on.
class CoreWorkerHost : public WorkerHost {
public:
    explicit CoreWorkerHost(AppCore& core) : core_(core) {}
    bool Wait(uint32_t ms) override { return WaitForWorkerWake(ms); }
    int64_t Now() override { return PerformanceCount(); }
    int64_t Frequency() override { return PerformanceFrequency(); }
    void Dispatch(int32_t code) override { core_.Dispatch(code); }
    void PollInput() override { core_.PollInput(); }
    bool NotePanelShown() override { return WorkerSeesNotePanel(); }
    bool PollWanted() override { return InputPollWanted(); }
    bool FollowingGame() override {
        return ActiveOverlayMode() == OverlayMode::TopLevel && FollowedGameWindow() != nullptr;
    }
    std::optional<int64_t> TimerFaceChange(int64_t now) override { return TimerWnd::Instance().NextFaceChange(now); }
    std::optional<int64_t> SheetFaceChange(int64_t now) override { return FluteWnd::Instance().NextFaceChange(now); }

private:
    AppCore& core_;
};

}  // namespace

AppCore::AppCore()
    : energyDlg_(&EnergyDlg::Instance()),
      timerDlg_(&TimerDlg::Instance()),
      fluteDlg_(&FluteDlg::Instance()),
      fluteWnd_(&FluteWnd::Instance()),
      energyWnd_(&EnergyWnd::Instance()),
      timerWnd_(&TimerWnd::Instance()),
      tasks_(&PerformanceCount) {}

int32_t AppCore::RegisterTask(int32_t code, double seconds) { return tasks_.RegisterTask(code, seconds); }

void AppCore::UnregisterTask(int32_t id) { tasks_.UnregisterTask(id); }

DispatchState AppCore::State() const {
    const Settings& settings = Settings::Instance();
    DispatchState state;
    state.useTimer = settings.UseTimer;
    state.useEnergy = settings.UseEnergy;
    state.useFlute = settings.UseFlute;
    state.timerRunning = timerWnd_->IsRunning();
    state.timerWndExists = timerWnd_->Exists();
    state.energyWndExists = energyWnd_->Exists();
    state.fluteWndExists = fluteWnd_->Exists();
    return state;
}

void AppCore::Dispatch(int32_t code) {
    if (dispatch::IsAction(code)) {
        PostMail(kMailAction, static_cast<WPARAM>(code));
        return;
    }
    switch (PlanDispatch(code, State())) {
    case DispatchEffect::ReadNotePanel:
        TaskNotePanel();
        break;
    case DispatchEffect::WatchGame:
        TaskGameWatch();
        break;
    case DispatchEffect::FollowGame:
        TaskFollowGame([] { AppCore::Instance().RunSoon(dispatch::TaskGameWatch); });
        break;
    case DispatchEffect::RedrawSheet:
        fluteWnd_->RefreshIfChanged();
        break;
    case DispatchEffect::TickTimer:
        timerWnd_->Tick();
        break;
    default:
        break;  // the actions' effects: RunAction
    }
}

void AppCore::RunAction(int32_t code) {
    Settings& settings = Settings::Instance();
    switch (PlanDispatch(code, State())) {
    case DispatchEffect::StartTimer:
        timerWnd_->Start();
        break;
    case DispatchEffect::StopTimer:
        timerWnd_->Stop();
        break;
    case DispatchEffect::HideTimer:
        timerWnd_->Hide();
        break;
    case DispatchEffect::ShowTimer:
        timerWnd_->Show();
        break;
    case DispatchEffect::EnergyOff:
        settings.UseEnergy = 0;
        energyDlg_->Sync(false);
        break;
    case DispatchEffect::EnergyOn:
        settings.UseEnergy = 1;
        energyDlg_->Sync(false);
        break;
    case DispatchEffect::SheetOff:
        settings.UseFlute = 0;
        fluteDlg_->Sync(false);
        break;
    case DispatchEffect::SheetOn:
        settings.UseFlute = 1;
        fluteDlg_->Sync(false);
        break;
    default:
        break;  // the tasks' effects: Dispatch
    }
}

void AppCore::RunSoon(int32_t code) {
    if (tasks_.RunSoon(code)) WakeWorker();
}

void AppCore::PollInput() {
    for (int32_t action : input_.Poll()) Dispatch(action);
}

int32_t AppCore::RunWorker() {
    CoreWorkerHost host(*this);
    return RunWorkerLoop(tasks_, running_, host);
}

DWORD WINAPI WorkerThreadProc(LPVOID) { return static_cast<DWORD>(AppCore::Instance().RunWorker()); }

bool AppCore::StartWorker() {
    if (workerThread_) return true;
    running_ = 1;
    workerThread_ = CreateThread(nullptr, 0, WorkerThreadProc, nullptr, 0, nullptr);
    if (!workerThread_) running_ = 0;
    return workerThread_ != nullptr;
}

bool AppCore::StopWorker(DWORD boundMs) {
    running_ = 0;
    WakeWorker();
    if (!workerThread_) return true;
    if (!WaitForThreadAnsweringSends(workerThread_, boundMs)) return false;
    CloseHandle(workerThread_);
    workerThread_ = nullptr;
    return true;
}

}  // namespace gkr
