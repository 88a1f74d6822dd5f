// The three overlays' create operations, which the manager dialog calls once a
// second while the game runs: class, title, styles, parent and place of each
// window, and the geometry they are built from.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "overlays/overlay_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/timer_wnd_win.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/test_seams.h"

namespace gkr {
namespace {

using testing::ClassOf;
using testing::FakeGameWindow;
using testing::RectInParent;
using testing::SettingsGuard;
using testing::TextOf;

TEST(OverlayGeometry, EnergyBarFollowsMaximumHealthAndOffsets) {
    const OverlayRect at100 = EnergyBarRect(100, 0, 0);
    EXPECT_EQ(119, at100.x);
    EXPECT_EQ(23, at100.y);
    EXPECT_EQ(325, at100.width);
    EXPECT_EQ(10, at100.height);
    EXPECT_EQ(162, EnergyBarRect(50, 0, 0).width) << "162.5 truncated";
    EXPECT_EQ(487, EnergyBarRect(150, 0, 0).width);
    const OverlayRect shifted = EnergyBarRect(100, -20, 20);
    EXPECT_EQ(99, shifted.x);
    EXPECT_EQ(43, shifted.y);
    EXPECT_EQ(0, EnergyBarRect(-1, 0, 0).width) << "no gauge seen: empty, never negative";
    EXPECT_EQ(130, EnergyBarMarker(325));
    EXPECT_EQ(64, EnergyBarMarker(162));
    EXPECT_EQ(194, EnergyBarMarker(487));
    EXPECT_EQ(INT32_MAX, EnergyBarRect(INT32_MAX, 0, 0).width) << "no overflow on a damaged value";
}

TEST(OverlayGeometry, TimerScalesWithTruncation) {
    const TimerGeometry one = ComputeTimerGeometry(1.0);
    EXPECT_EQ(0, one.window.x);
    EXPECT_EQ(0, one.window.y);
    EXPECT_EQ(100, one.window.width);
    EXPECT_EQ(20, one.window.height);
    EXPECT_EQ(3, one.indicatorLeft);
    EXPECT_EQ(13, one.indicatorBottom);

    const TimerGeometry odd = ComputeTimerGeometry(115 / 100.0);
    EXPECT_EQ(114, odd.window.width) << "1.15 is a little less than 1.15 in binary";
    EXPECT_EQ(23, odd.window.height);
    EXPECT_EQ(3, odd.indicatorTop);
    EXPECT_EQ(14, odd.indicatorRight);

    const TimerGeometry three = ComputeTimerGeometry(3.0);
    EXPECT_EQ(300, three.window.width);
    EXPECT_EQ(60, three.window.height);
    EXPECT_EQ(9, three.indicatorLeft);
    EXPECT_EQ(39, three.indicatorRight);
}

TEST(OverlayGeometry, SheetPositionStaysInsideTheClientArea) {
    EXPECT_EQ(100, ClampSheetPosition(100, 640));
    EXPECT_EQ(630, ClampSheetPosition(5000, 640));
    EXPECT_EQ(630, ClampSheetPosition(630, 640));
    EXPECT_EQ(0, ClampSheetPosition(-7, 640));
    EXPECT_EQ(0, ClampSheetPosition(0, 640));
    EXPECT_EQ(0, ClampSheetPosition(100, 10)) << "a client no wider than the margin";
    EXPECT_EQ(0, ClampSheetPosition(100, 4));
}

class OverlayCreation : public ::testing::Test {
protected:
    void TearDown() override {
        for (Window* w : {static_cast<Window*>(&FluteWnd::Instance()), static_cast<Window*>(&EnergyWnd::Instance()),
                          static_cast<Window*>(&TimerWnd::Instance())})
            w->Close();
    }
    SettingsGuard settings;
};

TEST_F(OverlayCreation, NothingIsCreatedWithoutTheGame) {
    ASSERT_EQ(nullptr, FindWindowW(kGameWindowClass, nullptr));
    HWND stale = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242));
    TimerWnd::Instance().handle = stale;
    EXPECT_EQ(nullptr, TimerWnd::Instance().Create());
    EXPECT_EQ(stale, TimerWnd::Instance().handle) << "a held handle is left as it was";
    TimerWnd::Instance().handle = nullptr;
    EXPECT_EQ(nullptr, EnergyWnd::Instance().Create());
    EXPECT_EQ(nullptr, EnergyWnd::Instance().handle);
    EXPECT_EQ(nullptr, FluteWnd::Instance().Create());
    EXPECT_EQ(nullptr, FluteWnd::Instance().handle);
}

TEST_F(OverlayCreation, EnergyBarLiesOverTheGauge) {
    FakeGameWindow game;
    Settings::Instance().MaxHealth = 120;
    Settings::Instance().OffsetX = 5;
    Settings::Instance().OffsetY = -3;
    HWND bar = EnergyWnd::Instance().Create();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(bar, EnergyWnd::Instance().handle);
    EXPECT_EQ(game.Handle(), GetParent(bar));
    EXPECT_EQ(L"GKREnergyWnd", ClassOf(bar));
    EXPECT_EQ(L"Timer", TextOf(bar));
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE), GetWindowLongW(bar, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(0, GetWindowLongW(bar, GWL_EXSTYLE));
    const RECT r = RectInParent(bar);
    EXPECT_EQ(124, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(390, r.right - r.left);
    EXPECT_EQ(10, r.bottom - r.top);
    EXPECT_TRUE(GetWindowLongW(game.Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(OverlayCreation, EnergyBarLeavesTheGaugeRowUncovered) {
    FakeGameWindow game;
    Settings::Instance().MaxHealth = 100;
    HWND bar = EnergyWnd::Instance().Create();
    ASSERT_NE(nullptr, bar);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(bar, region));
    // Window coordinates: the strip is rows 0..3, the tick hangs at x 129..130.
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, 300, 1));
    EXPECT_TRUE(PtInRegion(region, 129, 7));
    for (int x : {1, 3, 165, 300}) EXPECT_FALSE(PtInRegion(region, x, 7)) << x;  // the row read at y 30
    DeleteObject(region);
}

TEST_F(OverlayCreation, EnergyBarBeforeAnyReadingIsHarmless) {
    FakeGameWindow game;
    Settings::Instance().MaxHealth = -1;
    HWND bar = EnergyWnd::Instance().Create();
    ASSERT_NE(nullptr, bar);
    const RECT r = RectInParent(bar);
    EXPECT_EQ(0, r.right - r.left);
}

TEST_F(OverlayCreation, TimerTakesItsSizeFromTimerSize) {
    FakeGameWindow game;
    Settings::Instance().TimerSize = 115;
    HWND timer = TimerWnd::Instance().Create();
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(game.Handle(), GetParent(timer));
    EXPECT_EQ(L"GKRTimerWnd", ClassOf(timer));
    EXPECT_EQ(L"Timer", TextOf(timer));
    EXPECT_TRUE(GetWindowLongW(timer, GWL_STYLE) & WS_VISIBLE) << "shown whatever UseTimer says";
    RECT r = RectInParent(timer);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(114, r.right - r.left);
    EXPECT_EQ(23, r.bottom - r.top);

    TimerWnd::Instance().SetScale(3.0);
    r = RectInParent(timer);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(300, r.right - r.left);
    EXPECT_EQ(60, r.bottom - r.top);
}

TEST_F(OverlayCreation, CreatingAgainReplacesTheOldWindow) {
    FakeGameWindow game;
    HWND first = TimerWnd::Instance().Create();
    ASSERT_NE(nullptr, first);
    HWND second = TimerWnd::Instance().Create();
    ASSERT_NE(nullptr, second);
    EXPECT_FALSE(IsWindow(first) && first != second);
    EXPECT_EQ(second, TimerWnd::Instance().handle);
    int timers = 0;
    for (HWND child = GetWindow(game.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        timers += ClassOf(child) == L"GKRTimerWnd";
    EXPECT_EQ(1, timers);
}

TEST_F(OverlayCreation, SongSheetPanelAtItsStoredPlace) {
    FakeGameWindow game;
    Settings::Instance().FluteWndX = 40;
    Settings::Instance().FluteWndY = 60;
    Settings::Instance().UseFlute = 0;
    HWND panel = FluteWnd::Instance().Create();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(game.Handle(), GetParent(panel));
    EXPECT_EQ(L"GKRFluteWnd", ClassOf(panel));
    EXPECT_EQ(L"악보", TextOf(panel));
    const LONG style = GetWindowLongW(panel, GWL_STYLE);
    for (LONG bit : {WS_CHILD, WS_CAPTION, WS_SYSMENU}) EXPECT_EQ(bit, style & bit) << std::hex << bit;
    EXPECT_FALSE(style & WS_VISIBLE) << "created hidden: only the page's sync shows it";
    EXPECT_TRUE(GetWindowLongW(panel, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    const RECT r = RectInParent(panel);
    EXPECT_EQ(40, r.left);
    EXPECT_EQ(60, r.top);
    EXPECT_EQ(230, r.right - r.left);
    RECT client = {};
    GetClientRect(panel, &client);
    EXPECT_EQ(0, client.bottom) << "no song listed: the caption alone";
}

TEST_F(OverlayCreation, SongSheetIsShownInsideTheGameAndItsStoredPlaceKept) {
    FakeGameWindow game;
    Settings::Instance().FluteWndX = 5000;
    Settings::Instance().FluteWndY = -30;
    HWND panel = FluteWnd::Instance().Create();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(5000, Settings::Instance().FluteWndX.load()) << "brought inside for showing only";
    EXPECT_EQ(-30, Settings::Instance().FluteWndY.load());
    RECT r = RectInParent(panel);
    EXPECT_EQ(630, r.left);
    EXPECT_EQ(0, r.top);

    // A game window with no real size (minimised) clamps nothing and stores nothing.
    FluteWnd::Instance().Close();
    Settings::Instance().FluteWndX = 400;
    Settings::Instance().FluteWndY = 300;
    SetWindowPos(game.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    panel = FluteWnd::Instance().Create();
    ASSERT_NE(nullptr, panel);
    r = RectInParent(panel);
    EXPECT_EQ(400, r.left);
    EXPECT_EQ(300, r.top);
    ShowWindow(panel, SW_SHOWNOACTIVATE);
    SendMessageW(panel, WM_MOVE, 0, 0);  // a move over a game window with no size is no player's
    EXPECT_EQ(400, Settings::Instance().FluteWndX.load());
    EXPECT_EQ(300, Settings::Instance().FluteWndY.load());
}

// Under Wine the overlays are pop-ups the game window owns, placed over the
// spots of its client area where the children would be.
class TopLevelOverlays : public OverlayCreation {
protected:
    testing::OverlayModeSeam topLevel{static_cast<int>(OverlayMode::TopLevel)};
    static POINT Origin(HWND game) {
        POINT origin = {0, 0};
        ClientToScreen(game, &origin);
        return origin;
    }
    static bool Visible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
};

TEST_F(TopLevelOverlays, OwnedPopupsSitOverTheirSpotsAndFollowTheGame) {
    FakeGameWindow game;
    SetWindowPos(game.Handle(), nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(game.Handle(), SW_SHOWNOACTIVATE);
    Settings::Instance().MaxHealth = 100;
    Settings::Instance().UseTimer = 1;
    Settings::Instance().FluteWndX = 40;
    Settings::Instance().FluteWndY = 60;
    HWND bar = EnergyWnd::Instance().Create();
    HWND timer = TimerWnd::Instance().Create();
    HWND panel = FluteWnd::Instance().Create();
    ASSERT_TRUE(bar && timer && panel);
    for (HWND overlay : {bar, timer, panel}) {
        EXPECT_EQ(game.Handle(), GetWindow(overlay, GW_OWNER));
        const LONG style = GetWindowLongW(overlay, GWL_STYLE), exStyle = GetWindowLongW(overlay, GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & WS_CHILD);
        EXPECT_EQ(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, exStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST))
            << "never focused, no taskbar button, never above other programs";
    }
    EXPECT_TRUE(Visible(bar));
    EXPECT_TRUE(Visible(timer));
    EXPECT_FALSE(Visible(panel));

    const auto expectAt = [&](HWND overlay, int x, int y) {
        const POINT origin = Origin(game.Handle());
        RECT screen = {};
        GetWindowRect(overlay, &screen);
        EXPECT_EQ(origin.x + x, screen.left);
        EXPECT_EQ(origin.y + y, screen.top);
        const RECT inGame = OverlayRectInGame(overlay);
        EXPECT_EQ(x, inGame.left);
        EXPECT_EQ(y, inGame.top);
    };
    expectAt(bar, 119, 23);
    expectAt(timer, 0, 0);
    expectAt(panel, 40, 60);

    SetWindowPos(game.Handle(), nullptr, 260, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FollowGameNow(game.Handle(), ReadGameFrame(game.Handle()));
    expectAt(bar, 119, 23);
    expectAt(timer, 0, 0);
    expectAt(panel, 40, 60);
    MoveOverlay(bar, 124, 20, 390, 10);  // a move after the follow lands over the game as it is now
    expectAt(bar, 124, 20);

    ShowWindow(game.Handle(), SW_MINIMIZE);
    FollowGameNow(game.Handle(), ReadGameFrame(game.Handle()));
    EXPECT_FALSE(Visible(bar));
    EXPECT_FALSE(Visible(timer));
    ShowOverlay(panel, true);  // asked for while the game is minimised: shown with it
    EXPECT_FALSE(Visible(panel));
    ShowOverlay(timer, false);

    ShowWindow(game.Handle(), SW_RESTORE);
    FollowGameNow(game.Handle(), ReadGameFrame(game.Handle()));
    EXPECT_TRUE(Visible(bar));
    EXPECT_TRUE(Visible(panel));
    EXPECT_FALSE(Visible(timer)) << "hidden while minimised: stays hidden";
    expectAt(panel, 40, 60);
}

}  // namespace
}  // namespace gkr
