// Failures that the program reports instead of carrying on as if nothing
// happened: a start that cannot be completed, an overlay job the overlay
// thread's queue refuses, and a message that nothing of ours sends.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include <gtest/gtest.h>

#include "app/app_core_win.h"
#include "app/manage_dlg_win.h"
#include "app/startup_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/overlay_thread_win.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/test_seams.h"

namespace gkr {
namespace {

// The real start with one step failing.
class StartFailingAt : public ProgramStart {
public:
    explicit StartFailingAt(StartStep failing) : failing_(failing) {}
    bool Run(StartStep step) override { return step != failing_ && ProgramStart::Run(step); }

private:
    StartStep failing_;
};

TEST(StartFailure, IsToldUndoesWhatStartedAndRegistersNothing) {
    for (StartStep failing : {StartStep::Worker, StartStep::OverlayThread, StartStep::ManagerDialog}) {
        AppCore* core = &AppCore::Instance();
        const size_t tasksBefore = core->Tasks().Tasks().size();
        testing::PlayerMessages().clear();
        StartFailingAt start(failing);

        EXPECT_FALSE(InitApplication(GetModuleHandleW(nullptr), start));

        ASSERT_EQ(1u, testing::PlayerMessages().size());
        EXPECT_EQ(StartFailureText(failing), testing::PlayerMessages()[0]);
        EXPECT_FALSE(core->WorkerStarted()) << "the worker is stopped again";
        EXPECT_FALSE(OverlayThread::Instance().Running()) << "no overlay thread left behind";
        EXPECT_FALSE(ManageDlg::Instance().Exists());
        EXPECT_EQ(tasksBefore, core->Tasks().Tasks().size());
        testing::DrainMessages();
    }
}

HWND OverlayHost() { return FindWindowExW(HWND_MESSAGE, nullptr, L"GKROverlayThreadHost", nullptr); }

TEST(OverlayThreadJobs, ARefusedJobIsDroppedNotRunHereAndTheThreadStillStops) {
    const testing::RealOverlayThread real;
    OverlayThread& thread = OverlayThread::Instance();
    ASSERT_TRUE(thread.Start());
    // The host window goes while the thread runs: every post to it fails.
    HWND host = OverlayHost();
    ASSERT_NE(nullptr, host);
    ASSERT_TRUE(thread.Post([host] { DestroyWindow(host); }));
    ASSERT_TRUE(testing::PumpUntil([host] { return !IsWindow(host); }, 5000));

    auto token = std::make_shared<int>(0);
    const DWORD caller = GetCurrentThreadId();
    DWORD ranOn = 0;
    EXPECT_FALSE(thread.Post([token, &ranOn] { ranOn = GetCurrentThreadId(); }));
    EXPECT_NE(caller, ranOn) << "never run on the posting thread instead";
    EXPECT_EQ(1, token.use_count()) << "the refused job is destroyed, not kept";

    EXPECT_TRUE(thread.Stop(2000)) << "a thread whose host is gone still ends";
    EXPECT_FALSE(thread.Running());
}

TEST(EnergyPage, IgnoresTheDialogDefaultButtonMessage) {
    testing::FakeGameWindow game;
    ASSERT_NE(nullptr, game.Handle());
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, EnergyDlg::Instance().Create(parent));
    // DM_SETDEFID (WM_USER + 1) is the dialog manager's own message: it
    // must never create an overlay.
    SendMessageW(EnergyDlg::Instance().handle, DM_SETDEFID, 0, 0);
    testing::DrainMessages();
    EXPECT_FALSE(EnergyWnd::Instance().Exists());
    DestroyWindow(parent);
    testing::DrainMessages();
}

}  // namespace
}  // namespace gkr
