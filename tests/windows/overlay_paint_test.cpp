// The timer and energy bar overlays as the player sees them: their pictures
// (through PrintWindow, as Wine draws no other process's child windows),
// their regions, the clock's repaints and the timer page's visibility rule.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/framework/clock_win.h"
#include "app/framework/scoped_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/overlay_messages.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/page_ids.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/picture.h"

namespace gkr {
namespace {

using testing::DrainMessages;
using testing::Picture;
using testing::FakeGameWindow;
using testing::RectInParent;
using testing::SettingsGuard;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

int64_t Frequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

// Its own WS_VISIBLE: the fake game window itself is never shown.
bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

class OverlayPaint : public ::testing::Test {
protected:
    // Shown, never activated: only a visible window collects invalid areas.
    void SetUp() override { ShowWindow(game.Handle(), SW_SHOWNOACTIVATE); }
    void TearDown() override {
        TimerWnd::Instance().Close();
        EnergyWnd::Instance().Close();
        TimerWnd::Instance().StopClock();
        DrainMessages();
    }
    HWND MakeTimer(int32_t timerSize) {
        Settings::Instance().TimerSize = timerSize;
        Settings::Instance().UseTimer = 1;
        HWND timer = TimerWnd::Instance().Create();
        DrainMessages();
        return timer;
    }
    SettingsGuard settings;
    testing::MailboxWindow mailbox;  // the clicks reach the clock through it
    FakeGameWindow game;
};

TEST_F(OverlayPaint, TimerShowsTheTimeAndTheTopmostIndicator) {
    HWND timer = MakeTimer(100);
    ASSERT_NE(nullptr, timer);
    TimerWnd* t = &TimerWnd::Instance();
    t->Restart(PerformanceCount() - 3723 * Frequency());  // 1 h 2 min 3 s ago
    t->Tick();
    DrainMessages();
    ASSERT_EQ(1, t->Shown().hours);

    // The text, against a reference drawn the same way with the same font.
    Picture drawn(timer);
    ASSERT_TRUE(drawn.Ok());
    Picture reference(drawn.Width(), drawn.Height());
    const RECT all = {0, 0, drawn.Width(), drawn.Height()};
    FillRect(reference.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ScopedFont font(CreateFontW(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_STROKE_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_ROMAN, L"굴림"));
    {
        SelectScope selected(reference.Dc(), font.Get());
        SetBkMode(reference.Dc(), TRANSPARENT);
        TextOutW(reference.Dc(), 17, 0, L"01:02:03", 8);
    }
    GdiFlush();
    int differing = 0, inked = 0;
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 17; x < drawn.Width(); ++x) {
            differing += drawn.At(x, y) != reference.At(x, y);
            inked += reference.At(x, y) != kWhite;
        }
    EXPECT_GT(inked, 20) << "the reference shows text";
    EXPECT_EQ(0, differing);

    // The indicator: white while the game is not topmost, red after a click in it.
    EXPECT_EQ(kWhite, drawn.At(8, 8));
    EXPECT_EQ(RGB(0, 0, 0), drawn.At(3, 8)) << "its black outline";
    SendMessageW(timer, WM_LBUTTONUP, 0, At(8, 8));
    DrainMessages();
    EXPECT_TRUE(GetWindowLongW(game.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(kRed, Picture(timer).At(8, 8));
    EXPECT_EQ(1, t->Shown().hours) << "a click on the indicator leaves the clock alone";
    SendMessageW(timer, WM_MBUTTONUP, 0, At(50, 10));
    DrainMessages();
    EXPECT_FALSE(GetWindowLongW(game.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(kWhite, Picture(timer).At(8, 8));
}

TEST_F(OverlayPaint, ClicksStartAndStopTheClockAndTheStateCanBeAsked) {
    HWND timer = MakeTimer(100);
    TimerWnd* t = &TimerWnd::Instance();
    t->Restart(PerformanceCount());
    t->Tick();
    SendMessageW(timer, WM_RBUTTONUP, 0, At(50, 10));
    DrainMessages();
    EXPECT_EQ(0, SendMessageW(timer, kTimerStateQuery, 0, 0)) << "stopped at 00:00:00";
    SendMessageW(timer, WM_LBUTTONUP, 0, At(50, 10));
    EXPECT_FALSE(t->IsRunning()) << "the clock is the interface's, told by mail";
    DrainMessages();
    EXPECT_TRUE(t->IsRunning());
    t->Restart(PerformanceCount() - 65 * Frequency());
    t->Tick();
    DrainMessages();
    EXPECT_EQ(1 + 2 * 65, SendMessageW(timer, kTimerStateQuery, 0, 0));
    SendMessageW(timer, WM_RBUTTONUP, 0, At(50, 10));
    DrainMessages();
    EXPECT_EQ(2 * 65, SendMessageW(timer, kTimerStateQuery, 0, 0)) << "stopped: the face stays";
}

// The repaints the worker asks for, taken off the queue.
int RepaintsAsked(HWND overlay) {
    int asked = 0;
    MSG msg;
    while (PeekMessageW(&msg, overlay, kRepaintOverlayMessage, kRepaintOverlayMessage, PM_REMOVE)) ++asked;
    return asked;
}

TEST_F(OverlayPaint, TickRepaintsOnlyWhenTheShownSecondChanges) {
    HWND timer = MakeTimer(100);
    TimerWnd* t = &TimerWnd::Instance();
    const int64_t second = Frequency();
    t->Restart(PerformanceCount() - 5 * second);
    RepaintsAsked(timer);
    t->Tick();
    EXPECT_EQ(1, RepaintsAsked(timer)) << "00:00:05 is new";
    t->Tick();
    EXPECT_EQ(0, RepaintsAsked(timer)) << "still 00:00:05";
    t->Restart(PerformanceCount() - 5 * second - second / 2);
    t->Tick();
    EXPECT_EQ(0, RepaintsAsked(timer)) << "a restart that shows the same second";
    EXPECT_FALSE(GetUpdateRect(timer, nullptr, FALSE)) << "drawn at once, nothing invalidated";
}

TEST_F(OverlayPaint, TimerRegionIsRoundedAndLeavesTheReadPixelsFree) {
    HWND timer = MakeTimer(300);
    ASSERT_EQ(300, RectInParent(timer).right);
    ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(COMPLEXREGION, GetWindowRgn(timer, region.Get()));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0)) << "a rounded corner";
    EXPECT_TRUE(PtInRegion(region.Get(), 150, 30));
    EXPECT_FALSE(PtInRegion(region.Get(), 297, 30)) << "right of (W - 2)";
    for (int x : {120, 121, 122, 284}) EXPECT_FALSE(PtInRegion(region.Get(), x, 30)) << x;
    for (int y = 54; y <= 59; ++y) EXPECT_FALSE(PtInRegion(region.Get(), 215, y)) << y;
    EXPECT_TRUE(PtInRegion(region.Get(), 123, 30));

    // The offsets move the read pixels: the region follows when asked.
    Settings::Instance().OffsetX = 5;
    SendMessageW(timer, kReshapeOverlayMessage, 0, 0);
    GetWindowRgn(timer, region.Get());
    EXPECT_TRUE(PtInRegion(region.Get(), 120, 30));
    EXPECT_FALSE(PtInRegion(region.Get(), 125, 30));
}

TEST_F(OverlayPaint, EnergyBarIsYellowToFortyPercentThenGreen) {
    Settings::Instance().MaxHealth = 100;
    HWND bar = EnergyWnd::Instance().Create();
    ASSERT_NE(nullptr, bar);
    DrainMessages();
    Picture drawn(bar);
    ASSERT_TRUE(drawn.Ok());
    ASSERT_EQ(325, drawn.Width());
    EXPECT_EQ(kYellow, drawn.At(0, 0));
    EXPECT_EQ(kYellow, drawn.At(129, 3));
    EXPECT_EQ(kGreen, drawn.At(130, 0));
    EXPECT_EQ(kGreen, drawn.At(324, 3));
    EXPECT_EQ(kYellow, drawn.At(129, 9)) << "the tick's colour below the strip";
}

TEST_F(OverlayPaint, StoredValuesOutOfRangeAreClampedWhereUsed) {
    Settings::Instance().TimerSize = 5000;
    Settings::Instance().OffsetX = 999;
    Settings::Instance().OffsetY = INT32_MIN;
    Settings::Instance().MaxHealth = 100;
    HWND timer = TimerWnd::Instance().Create();
    HWND bar = EnergyWnd::Instance().Create();
    DrainMessages();
    EXPECT_EQ(300, RectInParent(timer).right);
    EXPECT_EQ(60, RectInParent(timer).bottom);
    EXPECT_EQ(139, RectInParent(bar).left);
    EXPECT_EQ(3, RectInParent(bar).top);
    EXPECT_EQ(5000, Settings::Instance().TimerSize.load()) << "the stored value is kept";
}

// The timer page: a timer hidden by its hotkey stays hidden while the page
// synchronises for other reasons; the size trackbar resizes the overlay.
TEST_F(OverlayPaint, TimerPageSetsVisibilityOnlyWhenUseTimerChanges) {
    HWND timer = MakeTimer(100);
    HWND page = TimerDlg::Instance().Create(game.Handle());
    ASSERT_NE(nullptr, page);
    DrainMessages();
    ASSERT_TRUE(Shown(timer));

    TimerWnd::Instance().Hide();  // the hotkey action
    DrainMessages();
    ASSERT_FALSE(Shown(timer));
    TimerDlg::Instance().Sync(true);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_TIMER_AUTOSTART, BN_CLICKED), 0);
    DrainMessages();
    EXPECT_FALSE(Shown(timer)) << "UseTimer did not change";

    HWND size = GetDlgItem(page, IDC_TIMER_SIZE);
    SendMessageW(size, TBM_SETPOS, TRUE, 200);
    SendMessageW(page, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(size));
    DrainMessages();
    EXPECT_EQ(200, Settings::Instance().TimerSize.load());
    EXPECT_EQ(200, RectInParent(timer).right);
    EXPECT_EQ(40, RectInParent(timer).bottom);

    CheckDlgButton(page, IDC_TIMER_USE, BST_UNCHECKED);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_TIMER_USE, BN_CLICKED), 0);
    CheckDlgButton(page, IDC_TIMER_USE, BST_CHECKED);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_TIMER_USE, BN_CLICKED), 0);
    DrainMessages();
    EXPECT_TRUE(Shown(timer)) << "switched off and on again";
    DestroyWindow(page);
    DrainMessages();
}

}  // namespace
}  // namespace gkr
