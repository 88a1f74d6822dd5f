// The core on Win32: the dispatcher acting on real windows, the worker thread
// running and stopping, and the shutdown wait that answers the worker's sends.
#include <windows.h>

#include <atomic>

#include <gtest/gtest.h>

#include "app/app_core_win.h"
#include "app/dispatch_codes.h"
#include "app/framework/thread_wait_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_wnd_win.h"
#include "settings/settings.h"
#include "tests/windows/manager_test_support.h"

namespace gkr {
namespace {

HWND PlainWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr,
                           nullptr);
}

// Gives the three overlays stand-in windows and restores everything after.
class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings& s = Settings::Instance();
        saved_[0] = s.UseTimer;
        saved_[1] = s.UseEnergy;
        saved_[2] = s.UseFlute;
        s.UseTimer = s.UseEnergy = s.UseFlute = 1;
        TimerWnd::Instance().handle = PlainWindow();
        EnergyWnd::Instance().handle = PlainWindow();
        FluteWnd::Instance().handle = PlainWindow();
    }
    void TearDown() override {
        TimerWnd::Instance().Stop();
        for (Window* w : {static_cast<Window*>(&TimerWnd::Instance()), static_cast<Window*>(&EnergyWnd::Instance()),
                          static_cast<Window*>(&FluteWnd::Instance())}) {
            DestroyWindow(w->handle);
            w->handle = nullptr;
        }
        Settings& s = Settings::Instance();
        s.UseTimer = saved_[0];
        s.UseEnergy = saved_[1];
        s.UseFlute = saved_[2];
    }
    AppCore* core = &AppCore::Instance();

private:
    int32_t saved_[3] = {};
};

TEST_F(DispatchTest, TimerActionsStartStopHideAndShow) {
    HWND timer = TimerWnd::Instance().handle;
    core->RunAction(dispatch::ActionTimerStart);
    EXPECT_TRUE(TimerWnd::Instance().IsRunning());
    core->RunAction(dispatch::ActionTimerStop);
    EXPECT_FALSE(TimerWnd::Instance().IsRunning());
    core->RunAction(dispatch::ActionTimerHide);
    EXPECT_FALSE(IsWindowVisible(timer));
    core->RunAction(dispatch::ActionTimerShow);
    EXPECT_TRUE(IsWindowVisible(timer));
    EXPECT_EQ(1, Settings::Instance().UseTimer);  // visibility only
}

TEST_F(DispatchTest, TimerActionsIgnoredWithoutUseTimer) {
    Settings::Instance().UseTimer = 0;
    core->RunAction(dispatch::ActionTimerHide);
    EXPECT_TRUE(IsWindowVisible(TimerWnd::Instance().handle));
    core->RunAction(dispatch::ActionTimerStart);
    EXPECT_FALSE(TimerWnd::Instance().IsRunning());
}

TEST_F(DispatchTest, ActionsOnAGoneOverlayDoNothing) {
    DestroyWindow(TimerWnd::Instance().handle);  // the handle stays, stale
    DestroyWindow(EnergyWnd::Instance().handle);
    core->RunAction(dispatch::ActionTimerStart);
    EXPECT_FALSE(TimerWnd::Instance().IsRunning());
    core->RunAction(dispatch::ActionEnergyHide);
    EXPECT_EQ(1, Settings::Instance().UseEnergy);
}

TEST_F(DispatchTest, EnergyAndSheetActionsFlipTheirSetting) {
    core->RunAction(dispatch::ActionEnergyHide);
    EXPECT_EQ(0, Settings::Instance().UseEnergy);
    core->RunAction(dispatch::ActionEnergyHide);
    EXPECT_EQ(0, Settings::Instance().UseEnergy);
    core->RunAction(dispatch::ActionEnergyShow);
    EXPECT_EQ(1, Settings::Instance().UseEnergy);
    core->RunAction(dispatch::ActionSheetHide);
    EXPECT_EQ(0, Settings::Instance().UseFlute);
    core->RunAction(dispatch::ActionSheetShow);
    EXPECT_EQ(1, Settings::Instance().UseFlute);
}

TEST_F(DispatchTest, AnActionMatchedOnTheWorkerRunsWhenTheInterfaceTakesItsMail) {
    testing::MailboxWindow mailbox;
    core->Dispatch(dispatch::ActionEnergyHide);
    EXPECT_EQ(1, Settings::Instance().UseEnergy) << "never carried out on the worker";
    testing::DrainMessages();
    EXPECT_EQ(0, Settings::Instance().UseEnergy);
}

TEST_F(DispatchTest, CodesOutsideTheTableChangeNothing) {
    for (int32_t code : {8, 100}) core->RunAction(code);
    for (int32_t code : {-5, -100}) core->Dispatch(code);
    EXPECT_FALSE(TimerWnd::Instance().IsRunning());
    EXPECT_TRUE(IsWindowVisible(TimerWnd::Instance().handle));
    EXPECT_EQ(1, Settings::Instance().UseEnergy);
    EXPECT_EQ(1, Settings::Instance().UseFlute);
}

// --- worker and shutdown -----------------------------------------------

TEST(Worker, RunsTasksAndStopsPromptly) {
    AppCore* core = &AppCore::Instance();
    const int32_t id = core->RegisterTask(1000, 0.001);  // a code that does nothing
    ASSERT_TRUE(core->StartWorker());
    ASSERT_TRUE(core->WorkerStarted());
    Sleep(200);

    const ULONGLONG before = GetTickCount64();
    EXPECT_TRUE(core->StopWorker(2000));
    EXPECT_LT(GetTickCount64() - before, 200u);  // the sleep is cut short, no 50 ms wait
    EXPECT_FALSE(core->WorkerStarted());

    int64_t runs = 0;
    for (const PeriodicTask& t : core->Tasks().Tasks())
        if (t.id == id) runs = t.runCount;
    EXPECT_GE(runs, 3);
    core->UnregisterTask(id);
    EXPECT_TRUE(core->StopWorker(100));  // stopping again is harmless

    // With nothing due for a second the worker is deep in its wait: the stop
    // wakes it, it does not wait the second out.
    const int32_t slow = core->RegisterTask(1000, 1.0);
    ASSERT_TRUE(core->StartWorker());
    Sleep(100);
    const ULONGLONG stopAt = GetTickCount64();
    EXPECT_TRUE(core->StopWorker(2000));
    EXPECT_LT(GetTickCount64() - stopAt, 300u);
    core->UnregisterTask(slow);
}

// A window procedure that counts the messages sent to it from other threads.
std::atomic<int> g_sent{0};
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 7) {
        ++g_sent;
        return 42;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CountingWindow() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GKRTestCountingWnd";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
}

struct SendJob {
    HWND target;
    int times;
    std::atomic<bool>* stop;
};

DWORD WINAPI SendingThread(LPVOID param) {
    SendJob* job = static_cast<SendJob*>(param);
    for (int i = 0; i < job->times && !(job->stop && *job->stop); ++i) {
        if (SendMessageW(job->target, WM_USER + 7, 0, 0) != 42) return 1;
        Sleep(1);
    }
    return 0;
}

TEST(ThreadWait, AnswersSendsSoABlockedThreadCanFinish) {
    HWND window = CountingWindow();
    g_sent = 0;
    SendJob job{window, 5, nullptr};
    HANDLE thread = CreateThread(nullptr, 0, SendingThread, &job, 0, nullptr);
    // A plain WaitForSingleObject here would never return: the thread waits for us.
    EXPECT_TRUE(WaitForThreadAnsweringSends(thread, 5000));
    DWORD code = 99;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(0u, code);
    EXPECT_EQ(5, g_sent);
    CloseHandle(thread);
    DestroyWindow(window);
}

TEST(ThreadWait, GivesUpAtTheBoundEvenWhileSendsKeepComing) {
    HWND window = CountingWindow();
    std::atomic<bool> stop{false};
    SendJob job{window, 1000000, &stop};
    HANDLE thread = CreateThread(nullptr, 0, SendingThread, &job, 0, nullptr);
    const ULONGLONG before = GetTickCount64();
    EXPECT_FALSE(WaitForThreadAnsweringSends(thread, 200));
    const ULONGLONG took = GetTickCount64() - before;
    EXPECT_GE(took, 190u);
    EXPECT_LT(took, 1000u);
    stop = true;
    EXPECT_TRUE(WaitForThreadAnsweringSends(thread, 5000));
    CloseHandle(thread);
    DestroyWindow(window);
}

TEST(ThreadWait, PostedMessagesStayQueued) {
    HWND window = CountingWindow();
    PostMessageW(window, WM_USER + 9, 0, 0);
    HANDLE thread = CreateThread(nullptr, 0, [](LPVOID) -> DWORD { return 0; }, nullptr, 0, nullptr);
    EXPECT_TRUE(WaitForThreadAnsweringSends(thread, 5000));
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, window, WM_USER + 9, WM_USER + 9, PM_REMOVE));
    CloseHandle(thread);
    DestroyWindow(window);
}

}  // namespace
}  // namespace gkr
