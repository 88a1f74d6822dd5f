// Screen reading as the manager dialog shows it: the real DummyGKR runs beside
// this test, the game watch reads its picture from the display, and the
// note-panel flag (which no window shows yet) and the energy page's "체력 최대"
// box follow its scene commands. Also: the energy page written from another
// thread, the way the worker does.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "app/game_watch_win.h"
#include "app/manage_dlg_win.h"
#include "app/screen/screen_state.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/page_ids.h"
#include "dummy/scene_commands.h"
#include "tests/windows/dummy_game.h"
#include "tests/windows/manager_test_support.h"

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
    // until the box shows `text` and the note-panel flag is `panel`.
    bool WatchUntil(const std::wstring& text, int32_t panel) {
        return PumpUntil(
            [&] {
                TaskGameWatch();
                return MaxHealthBox() == text && NotePanelVisible() == panel;
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

// The energy page written by a thread that does not own it.
class EnergyPageFromAnotherThread : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, EnergyDlg::Instance().Create(parent));
    }
    void TearDown() override {
        DestroyWindow(parent);
        DrainMessages();
    }
    std::wstring Box() const { return TextOf(GetDlgItem(EnergyDlg::Instance().handle, IDC_ENERGY_MAXHEALTH)); }

    SettingsGuard settings;
    HWND parent = nullptr;
};

TEST_F(EnergyPageFromAnotherThread, ShowsTheValueWhileThisThreadAnswers) {
    Settings::Instance().MaxHealth = 145;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        EnergyDlg::Instance().Sync(false);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 5000));
    worker.join();
    EXPECT_EQ(L"145", Box());
}

TEST_F(EnergyPageFromAnotherThread, GivesUpWhenThisThreadDoesNotAnswer) {
    Settings::Instance().MaxHealth = 55;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration took{};
    std::thread worker([&] {
        EnergyDlg::Instance().Sync(false);
        took = std::chrono::steady_clock::now() - start;
    });
    worker.join();  // this thread answers nothing meanwhile
    EXPECT_LT(took, std::chrono::seconds(3));
    DrainMessages();
}

TEST_F(EnergyPageFromAnotherThread, DoesNothingOnceThePageIsGone) {
    const HWND page = EnergyDlg::Instance().handle;
    DestroyWindow(page);
    EXPECT_EQ(nullptr, EnergyDlg::Instance().handle);
    Settings::Instance().MaxHealth = 60;
    std::thread worker([] { EnergyDlg::Instance().Sync(false); });
    worker.join();
    EXPECT_FALSE(IsWindow(page));
}

}  // namespace
}  // namespace gkr
