// The manager dialog created in this process: what its start reads from the
// current directory, the five pages in the tab control, switching tabs, the
// one-second overlay check, and what each way out leaves behind.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/game/game_control_win.h"
#include "app/manage_dlg_win.h"
#include "input/accel_dlg_win.h"
#include "input/keyconfig_dlg_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/manager_ids.h"
#include "resources/page_ids.h"
#include "settings/data_files.h"
#include "settings/song_sheets.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/test_seams.h"

namespace gkr {
namespace {

using testing::ClassOf;
using testing::DrainMessages;
using testing::FakeGameWindow;
using testing::ReadBytes;
using testing::RectInParent;
using testing::ScratchCurrentDirectory;
using testing::SettingsGuard;
using testing::WriteBytes;

// A control that only its page has, per tab index.
const int kPageMarkers[5] = {IDC_ACCEL_LIST, IDC_ENERGY_MAXHEALTH, IDC_TIMER_SIZE, IDC_FLUTE_USE, IDC_KEYCONFIG_NAME};
const wchar_t* const kLabels[5] = {L"단축키 설정", L"에너지바", L"타이머", L"피리악보", L"그라키 설정"};

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void CloseOverlays() {
    for (Window* w : {static_cast<Window*>(&FluteWnd::Instance()), static_cast<Window*>(&EnergyWnd::Instance()),
                      static_cast<Window*>(&TimerWnd::Instance())})
        w->Close();
}

class ManagerDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                               ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void SetUp() override { Settings::Instance().accels.Publish({}); }
    void TearDown() override {
        if (dlg->Exists()) DestroyWindow(dlg->handle);
        dlg->handle = nullptr;
        DrainMessages();
        CloseOverlays();
        // Leaves the process-wide song list empty again.
        WriteBytes(dir.File("SData.xml"), "<Song />");
        LoadSongSheets(SongSheets::Instance(), dir.File("SData.xml"));
    }

    void Open() {
        ASSERT_NE(nullptr, dlg->Create(nullptr));
        DrainMessages();
        ASSERT_EQ(5u, dlg->pages.size());
    }

    // The one page whose template holds the marker control of tab `index`.
    HWND PageOfTab(int index) const {
        for (HWND page : dlg->pages)
            if (GetDlgItem(page, kPageMarkers[index])) return page;
        return nullptr;
    }

    void Notify(HWND from, UINT code) {
        NMHDR header = {from, static_cast<UINT_PTR>(GetDlgCtrlID(from)), code};
        EXPECT_EQ(0, SendMessageW(dlg->handle, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)));
    }

    // A left click at the centre of tab item `index`, as the mouse gives it.
    void ClickTab(int index) {
        RECT item = {};
        ASSERT_TRUE(SendMessageW(dlg->tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        PostMessageW(dlg->tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(dlg->tab, WM_LBUTTONUP, 0, at);
        DrainMessages();
    }

    std::vector<bool> Visibility() const {
        std::vector<bool> shown;
        for (HWND page : dlg->pages) shown.push_back(HasVisibleStyle(page));
        return shown;
    }

    SettingsGuard settings;
    ScratchCurrentDirectory dir;
    ManageDlg* dlg = &ManageDlg::Instance();
};

TEST_F(ManagerDialog, ReadsConfAndSongSheetsFromTheCurrentDirectory) {
    WriteBytes(dir.File("conf.xml"),
               "<Setting TimerSize=\"150\" UseTimer=\"1\" MaxHealth=\"77\">\n"
               "    <Accel Name=\"only\" Num=\"3\"><Key Code=\"65\" /></Accel>\n"
               "</Setting>\n");
    WriteBytes(dir.File("SData.xml"),
               "<Song><Sheet Effect1=\"e\" NoteVal=\"9\"><Note Value=\"1\" /><Note Value=\"6\" />"
               "<Note Value=\"3\" /></Sheet></Song>");
    Open();

    EXPECT_EQ(150, Settings::Instance().TimerSize.load());
    EXPECT_EQ(1, Settings::Instance().UseTimer.load());
    const AccelList accels = Settings::Instance().accels.Copy();
    ASSERT_EQ(1u, accels.size()) << "a list that was read gets no default entries";
    EXPECT_EQ("only", accels[0].name);
    EXPECT_EQ(std::vector<uint32_t>{65}, accels[0].keys);

    const auto sheets = SongSheets::Instance().Snapshot();
    ASSERT_EQ(1u, sheets->size());
    EXPECT_EQ(115u, (*sheets)[0].NoteVal) << "keys are computed from the notes, not read";
}

TEST_F(ManagerDialog, WithoutConfTheEightDefaultHotkeysApply) {
    Open();
    const AccelList accels = Settings::Instance().accels.Copy();
    ASSERT_EQ(8u, accels.size());
    for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(i, accels[static_cast<size_t>(i)].num);
}

TEST_F(ManagerDialog, ConfWithoutHotkeysAlsoGetsTheDefaults) {
    WriteBytes(dir.File("conf.xml"), "<Setting UseKey=\"0\" />");
    Settings::Instance().accels.Publish(AccelList(2));
    Open();
    EXPECT_EQ(0, Settings::Instance().UseKey.load());
    EXPECT_EQ(8u, Settings::Instance().accels.Size());
}

TEST_F(ManagerDialog, FivePagesFromTheirTemplatesInTabOrder) {
    Open();
    const HWND expected[5] = {AccelDlg::Instance().handle, EnergyDlg::Instance().handle,
                              TimerDlg::Instance().handle, FluteDlg::Instance().handle,
                              KeyconfigDlg::Instance().handle};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        HWND page = dlg->pages[static_cast<size_t>(i)];
        EXPECT_EQ(expected[i], page);
        EXPECT_EQ(page, PageOfTab(i));
        EXPECT_EQ(dlg->tab, GetParent(page));
    }
}

TEST_F(ManagerDialog, TabItemsCarryTheLabels) {
    Open();
    ASSERT_EQ(5, SendMessageW(dlg->tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(dlg->tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(std::wstring(kLabels[i]), text);
    }
}

TEST_F(ManagerDialog, PagesFillTheTabDisplayAreaWithChildStyle) {
    Open();
    RECT tabRect = {};
    GetWindowRect(dlg->tab, &tabRect);
    RECT area = tabRect;
    SendMessageW(dlg->tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    OffsetRect(&area, -tabRect.left, -tabRect.top);
    ASSERT_GT(area.top, 0) << "below the tab headers";
    for (HWND page : dlg->pages) {
        const RECT r = RectInParent(page);
        EXPECT_EQ(area.left, r.left);
        EXPECT_EQ(area.top, r.top);
        EXPECT_EQ(area.right, r.right);
        EXPECT_EQ(area.bottom, r.bottom);
        EXPECT_EQ(static_cast<LONG>(WS_CHILD), GetWindowLongW(page, GWL_STYLE) & ~WS_VISIBLE)
            << "only the child style is left of the template's";
    }
}

TEST_F(ManagerDialog, FirstTabIsSelectedAndOnlyItsPageShown) {
    Open();
    EXPECT_EQ(0, SendMessageW(dlg->tab, TCM_GETCURSEL, 0, 0));
    EXPECT_EQ((std::vector<bool>{true, false, false, false, false}), Visibility());
}

TEST_F(ManagerDialog, AClickOnATabShowsOnlyItsPage) {
    Open();
    for (int i : {3, 1, 4, 2, 0, 0}) {  // the last click lands on the tab already selected
        SCOPED_TRACE(i);
        ClickTab(i);
        EXPECT_EQ(i, SendMessageW(dlg->tab, TCM_GETCURSEL, 0, 0));
        std::vector<bool> expected(5, false);
        expected[static_cast<size_t>(i)] = true;
        EXPECT_EQ(expected, Visibility());
    }
}

TEST_F(ManagerDialog, OnlyTheTabControlsSelectionChangeSwitchesPages) {
    Open();
    SendMessageW(dlg->tab, TCM_SETCURSEL, 2, 0);
    Notify(dlg->tab, TCN_SELCHANGING);
    Notify(GetDlgItem(dlg->handle, IDC_MANAGER_EXIT), TCN_SELCHANGE);
    EXPECT_EQ((std::vector<bool>{true, false, false, false, false}), Visibility());
}

TEST_F(ManagerDialog, TimerCreatesTheMissingOverlaysInsideTheGame) {
    FakeGameWindow game;
    ASSERT_NE(nullptr, game.Handle());
    Settings::Instance().TimerSize = 150;
    Open();
    SendMessageW(dlg->handle, WM_TIMER, kOverlayTimerId, 0);

    FluteWnd* flute = &FluteWnd::Instance();
    EnergyWnd* energy = &EnergyWnd::Instance();
    TimerWnd* timer = &TimerWnd::Instance();
    ASSERT_TRUE(flute->Exists() && energy->Exists() && timer->Exists());
    EXPECT_EQ(game.Handle(), GetParent(flute->handle));
    EXPECT_EQ(game.Handle(), GetParent(energy->handle));
    EXPECT_EQ(game.Handle(), GetParent(timer->handle));
    const RECT t = RectInParent(timer->handle);
    EXPECT_EQ(150, t.right - t.left) << "the scale is set before the timer is created";
    EXPECT_EQ(30, t.bottom - t.top);

    // Present overlays stay as they are; a gone one comes back alone.
    const HWND fluteBefore = flute->handle, timerBefore = timer->handle;
    DestroyWindow(energy->handle);
    SendMessageW(dlg->handle, WM_TIMER, kOverlayTimerId, 0);
    EXPECT_EQ(fluteBefore, flute->handle);
    EXPECT_EQ(timerBefore, timer->handle);
    EXPECT_TRUE(energy->Exists());
}

TEST_F(ManagerDialog, OverlaysComeWithTheGameWithinASecond) {
    Open();
    SendMessageW(dlg->handle, WM_TIMER, kOverlayTimerId, 0);
    EXPECT_FALSE(FluteWnd::Instance().Exists()) << "no game, no overlays";

    FakeGameWindow game;
    EXPECT_TRUE(testing::PumpUntil([] { return TimerWnd::Instance().Exists(); }, 1500));
    EXPECT_TRUE(FluteWnd::Instance().Exists());
    EXPECT_TRUE(EnergyWnd::Instance().Exists());
}

TEST_F(ManagerDialog, CloseBoxSavesAndKeepsDialogAndPages) {
    Open();
    Settings::Instance().MaxHealth = 135;
    SendMessageW(dlg->handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(DrainMessages());
    EXPECT_TRUE(dlg->Exists());
    for (HWND page : dlg->pages) EXPECT_TRUE(IsWindow(page));
    EXPECT_NE(std::string::npos, ReadBytes(dir.File("conf.xml")).find("MaxHealth=\"135\""));
}

TEST_F(ManagerDialog, GameButtonsAndUnknownIdsLeaveTheDialogAsItIs) {
    Open();
    const testing::ShellSeam noBrowser([](const wchar_t*, const wchar_t*) { return true; });
    for (int id : {IDC_MANAGER_GAME_KILL, IDC_MANAGER_HOME_PAGE, IDC_MANAGER_GAME_TOPMOST, IDC_MANAGER_GAME_RELEASE,
                   IDC_MANAGER_GAME_LAUNCH, 4242}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(0, SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0));
        EXPECT_FALSE(DrainMessages());
        EXPECT_TRUE(dlg->Exists());
    }
    // No game runs: the force quit finds nothing, and is over before a later
    // test makes a game window of its own.
    EXPECT_TRUE(testing::PumpUntil([] { return !ForceQuitRunning(); }, 3000));
    EXPECT_FALSE(dir.Has("conf.xml"));
}

TEST_F(ManagerDialog, ExitOkAndCancelSaveAndDestroyDialogPagesAndOverlays) {
    FakeGameWindow game;
    for (WORD id : {static_cast<WORD>(IDC_MANAGER_EXIT), static_cast<WORD>(IDOK), static_cast<WORD>(IDCANCEL)}) {
        SCOPED_TRACE(id);
        DeleteFileA(dir.File("conf.xml").c_str());
        Open();
        SendMessageW(dlg->handle, WM_TIMER, kOverlayTimerId, 0);
        const HWND timer = TimerWnd::Instance().handle;
        ASSERT_TRUE(IsWindow(timer));
        const std::vector<HWND> pages = dlg->pages;

        SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        EXPECT_TRUE(DrainMessages());
        EXPECT_EQ(nullptr, dlg->handle);
        for (HWND page : pages) EXPECT_FALSE(IsWindow(page));
        EXPECT_EQ(nullptr, EnergyDlg::Instance().handle) << "a destroyed page forgets its window";
        EXPECT_FALSE(IsWindow(timer));
        EXPECT_EQ(nullptr, TimerWnd::Instance().handle);
        EXPECT_FALSE(FluteWnd::Instance().Exists()) << "each overlay goes with its page";
        EXPECT_FALSE(EnergyWnd::Instance().Exists());
        EXPECT_TRUE(dir.Has("conf.xml"));
    }
}

TEST_F(ManagerDialog, ASaveThatFailsIsToldOnceAndTheWayOutStaysClean) {
    Open();
    ASSERT_TRUE(CreateDirectoryA(dir.File("conf.xml").c_str(), nullptr));  // conf.xml cannot be written
    testing::PlayerMessages().clear();
    SendMessageW(dlg->handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(DrainMessages()) << "exit code 0";
    SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(IDC_MANAGER_EXIT, BN_CLICKED), 0);
    EXPECT_TRUE(DrainMessages());
    ASSERT_EQ(1u, testing::PlayerMessages().size()) << "two saves failed, one message";
    EXPECT_NE(std::wstring::npos, testing::PlayerMessages()[0].find(L"conf.xml"));
    RemoveDirectoryA(dir.File("conf.xml").c_str());
}

// A game window that stays whatever it is sent, of a process the force quit
// does not know (this test program is no gkr.exe).
LRESULT CALLBACK StubbornGame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ManagerDialog, AForceQuitOrABrowserThatFailsIsToldOncePerClick) {
    FakeGameWindow game(&StubbornGame);
    Open();
    testing::PlayerMessages().clear();
    SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(IDC_MANAGER_GAME_KILL, BN_CLICKED), 0);
    ASSERT_TRUE(testing::PumpUntil([] { return !ForceQuitRunning(); }, 5000));
    DrainMessages();  // the force quit's notice, posted to the manager
    EXPECT_TRUE(IsWindow(game.Handle()));
    ASSERT_EQ(1u, testing::PlayerMessages().size());
    EXPECT_NE(std::wstring::npos, testing::PlayerMessages()[0].find(L"강제 종료"));

    testing::PlayerMessages().clear();
    {
        const testing::ShellSeam noBrowser([](const wchar_t*, const wchar_t*) { return false; });
        for (int id : {IDC_MANAGER_GAME_LAUNCH, IDC_MANAGER_HOME_PAGE})
            SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    ASSERT_EQ(2u, testing::PlayerMessages().size());
    EXPECT_NE(std::wstring::npos, testing::PlayerMessages()[1].find(L"브라우저"));
}

TEST_F(ManagerDialog, EnergyOffsetTrackbarsStoreShowAndMoveTheBar) {
    FakeGameWindow game;
    Settings& s = Settings::Instance();
    s.MaxHealth = 100;
    s.UseEnergy = 1;
    s.OffsetX = s.OffsetY = 0;
    Open();
    SendMessageW(dlg->handle, WM_TIMER, kOverlayTimerId, 0);
    ASSERT_TRUE(testing::PumpUntil([] { return EnergyWnd::Instance().Exists(); }, 2000));
    HWND bar = EnergyWnd::Instance().handle;
    HWND page = PageOfTab(1);
    EXPECT_EQ(L"0, 0", testing::TextOf(GetDlgItem(page, IDC_ENERGY_OFFSETS)));

    // As a drag does: the trackbar moves, then tells its page.
    const std::pair<int, int> moves[] = {{IDC_ENERGY_OFFSETX, 7}, {IDC_ENERGY_OFFSETY, -20}};
    for (const auto& [id, position] : moves) {
        HWND trackbar = GetDlgItem(page, id);
        SendMessageW(trackbar, TBM_SETPOS, TRUE, position);
        SendMessageW(page, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(trackbar));
    }
    EXPECT_EQ(7, s.OffsetX.load());
    EXPECT_EQ(-20, s.OffsetY.load());
    EXPECT_EQ(L"7, -20", testing::TextOf(GetDlgItem(page, IDC_ENERGY_OFFSETS)));
    EXPECT_TRUE(testing::PumpUntil([bar] { return RectInParent(bar).left == 119 + 7; }, 2000));
    const RECT r = RectInParent(bar);
    EXPECT_EQ(23 - 20, r.top);
    EXPECT_EQ(325, r.right - r.left);
}

TEST_F(ManagerDialog, ANewTimerIsHiddenAtOnceWhileTheTimerIsOff) {
    FakeGameWindow game;
    Settings::Instance().UseTimer = 0;
    Open();
    for (int round = 0; round < 2; ++round) {  // the first timer, then one made anew after it went
        SCOPED_TRACE(round);
        SendMessageW(dlg->handle, WM_TIMER, kOverlayTimerId, 0);
        ASSERT_TRUE(testing::PumpUntil([] { return TimerWnd::Instance().Exists(); }, 2000));
        HWND timer = TimerWnd::Instance().handle;
        // Well before the next one-second check could hide it.
        EXPECT_TRUE(testing::PumpUntil([timer] { return !HasVisibleStyle(timer); }, 500));
        DestroyWindow(timer);
    }
}

TEST_F(ManagerDialog, SongSheetPageTakesTheSkillClickAtOnceAndNoSideChoiceAsFive) {
    Settings::Instance().FluteSkill = 0;
    Settings::Instance().SideNote = 7;
    Open();
    HWND page = PageOfTab(3);
    SendDlgItemMessageW(page, IDC_FLUTE_SKILL, BM_CLICK, 0, 0);
    EXPECT_EQ(1, Settings::Instance().FluteSkill.load()) << "a click on 피리명인 counts at once";
    EXPECT_EQ(7, Settings::Instance().SideNote.load());

    HWND side = GetDlgItem(page, IDC_FLUTE_SIDENOTE);
    SendMessageW(side, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_FLUTE_SIDENOTE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(side));
    EXPECT_EQ(5, Settings::Instance().SideNote.load()) << "no selection reads as -1 + 6";
}

}  // namespace
}  // namespace gkr
