// Screen reading as the manager dialog shows it: the real DummyGKR runs beside
// this test, the game watch reads its picture from the display, and what the
// manager learns of the note panel (which no window shows yet) and the energy
// page's "체력 최대" box follow its scene commands; and the same with the real
// worker and overlay thread, which never write the settings themselves.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/app_core_win.h"
#include "app/game_watch_win.h"
#include "app/manage_dlg_win.h"
#include "app/startup_tasks.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/page_ids.h"
#include "dummy/scene_commands.h"
#include "tests/windows/dummy_game.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/test_seams.h"

namespace gkr {
namespace {

using testing::DrainMessages;
using testing::PumpUntil;
using testing::ScratchCurrentDirectory;
using testing::SettingsGuard;
using testing::TextOf;
using testing::DummyGame;

class ManagerScreenReading : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(nullptr, FindWindowW(kGameWindowClass, nullptr)) << "another game window is open";
        ResetGameWatch();
        dummy = std::make_unique<DummyGame>();
        if (!dummy->Started()) GTEST_SKIP() << "DummyGKR.exe is not beside the test program";
        ASSERT_NE(nullptr, dummy->Window());
        Settings& s = Settings::Instance();
        s.OffsetX = 0;
        s.OffsetY = 0;
        s.UseAutoTimer = 0;
        ASSERT_NE(nullptr, dlg->Create(nullptr));
        DrainMessages();
    }
    void TearDown() override {
        if (dlg->Exists()) DestroyWindow(dlg->handle);
        dlg->handle = nullptr;
        DrainMessages();
        dummy.reset();
        for (Window* w : {static_cast<Window*>(&FluteWnd::Instance()), static_cast<Window*>(&EnergyWnd::Instance()),
                          static_cast<Window*>(&TimerWnd::Instance())})
            w->Close();
    }

    std::wstring MaxHealthBox() const {
        return TextOf(GetDlgItem(EnergyDlg::Instance().handle, IDC_ENERGY_MAXHEALTH));
    }

    // Runs game-watch passes (the picture takes a moment to reach the display)
    // until the box shows `text` and the manager knows the note panel as `panel`.
    bool WatchUntil(const std::wstring& text, int32_t panel) {
        return PumpUntil(
            [&] {
                TaskGameWatch();
                return MaxHealthBox() == text && FluteDlg::Instance().NotePanelSeen() == (panel != 0);
            },
            5000);
    }

    SettingsGuard settings;
    ScratchCurrentDirectory dir;
    std::unique_ptr<DummyGame> dummy;
    ManageDlg* dlg = &ManageDlg::Instance();
};

TEST_F(ManagerScreenReading, NotePanelFlagFollowsTheDummysScene) {
    ASSERT_TRUE(WatchUntil(L"100", 1));
    dummy->Command(dummy::kCmdHideNotePanel);
    EXPECT_TRUE(WatchUntil(L"100", 0));
    dummy->Command(dummy::NotePanelCommand(0));
    EXPECT_TRUE(WatchUntil(L"100", 1));

    // The marker counts only with a maximum read from the gauge.
    dummy->Command(dummy::kCmdHideGauge);
    EXPECT_TRUE(WatchUntil(L"-1", 0));
    dummy->Command(dummy::GaugeCommand(120));
    EXPECT_TRUE(WatchUntil(L"120", 1));
}

// The real worker and overlay thread beside the manager, as the program runs
// them: what the worker reads and what the player does to an overlay reach the
// settings, and no thread but the manager's writes them.
TEST_F(ManagerScreenReading, OnlyTheManagersThreadWritesWhatTheOtherThreadsFind) {
    const testing::RealOverlayThread realOverlays;
    Settings& s = Settings::Instance();
    s.UseTimer = 1;
    s.UseFlute = 1;
    const int foreignBefore = s.writer.ForeignWrites();
    ASSERT_TRUE(OverlayThread::Instance().Start());
    AppCore& core = AppCore::Instance();
    std::vector<int32_t> tasks;
    for (const StartupTask& task : kStartupTasks) tasks.push_back(core.RegisterTask(task.code, task.seconds));
    ASSERT_TRUE(core.StartWorker());

    dummy->Command(dummy::GaugeCommand(120));
    dummy->Command(dummy::NotePanelCommand(3, 6, 1));
    EXPECT_TRUE(PumpUntil([&] { return s.MaxHealth == 120 && s.UpNote == 1 && s.DownNote == 3 && s.SideNote == 6; },
                          10000))
        << "the worker's readings reached the settings";
    // The manager's one-second timer has the overlay thread make the overlays;
    // the panel is shown while the game's note panel is.
    HWND panel = nullptr, timer = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
            panel = FluteWnd::Instance().Live();
            timer = TimerWnd::Instance().Live();
            return timer && panel && IsWindowVisible(panel);
        },
        5000));
    if (panel && timer) {
        // The player drags the panel, starts the clock and closes the panel.
        SetWindowPos(panel, nullptr, 50, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(panel, WM_EXITSIZEMOVE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return s.FluteWndX == 50 && s.FluteWndY == 70; }, 3000));
        SendMessageW(timer, WM_LBUTTONUP, 0, MAKELPARAM(60, 10));
        EXPECT_TRUE(PumpUntil([] { return TimerWnd::Instance().IsRunning(); }, 3000));
        PostMessageW(panel, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return s.UseFlute == 0; }, 3000));
    }

    EXPECT_TRUE(core.StopWorker(2000));
    for (int32_t id : tasks) core.UnregisterTask(id);
    TimerWnd::Instance().StopClock();
    CloseOnOverlayThread(FluteWnd::Instance());
    CloseOnOverlayThread(EnergyWnd::Instance());
    CloseOnOverlayThread(TimerWnd::Instance());
    EXPECT_TRUE(OverlayThread::Instance().Stop(2000));
    EXPECT_EQ(foreignBefore, s.writer.ForeignWrites()) << "another thread wrote the settings";
}

}  // namespace
}  // namespace gkr
