// Screen reading as the manager dialog shows it: the real DummyGKR runs beside
// this test, the game watch reads its picture from the display, and what the
// manager learns of the note panel (which no window shows yet) and the energy
// page's "체력 최대" box follow its scene commands.
#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/game_watch_win.h"
#include "app/manage_dlg_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
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

}  // namespace
}  // namespace gkr
