// The manager dialog's ways out: every one saves and ends the message loop;
// only the command path destroys the dialog (and the timer overlay with it).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/manage_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/manager_ids.h"
#include "settings/settings.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/player_messages.h"

namespace gkr {
namespace {

class ManageDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        savedAccels = AppSettings().accels.Copy();
        AppSettings().accels.Publish({});
        dlg = ManageDlg::Instance();
        ASSERT_NE(nullptr, dlg->Create(nullptr));
        testing::DrainMessages();
    }
    void TearDown() override {
        if (dlg->Exists()) DestroyWindow(dlg->handle);
        dlg->handle = nullptr;
        testing::DrainMessages();
        AppSettings().accels.Publish(savedAccels);
    }
    ManageDlg* dlg = nullptr;
    AccelList savedAccels;
    testing::ScratchCurrentDirectory dir;  // the dialog reads and writes conf.xml here
};

TEST_F(ManageDlgTest, FindsItsTabControl) {
    EXPECT_EQ(GetDlgItem(dlg->handle, IDC_MANAGER_TAB), dlg->tab);
    EXPECT_NE(nullptr, dlg->tab);
}

TEST_F(ManageDlgTest, EmptyHotkeyListGetsTheEightActions) {
    EXPECT_EQ(8u, AppSettings().accels.Size());
}

TEST_F(ManageDlgTest, CloseBoxEndsTheLoopButKeepsTheDialog) {
    SendMessageW(dlg->handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testing::DrainMessages());
    EXPECT_TRUE(dlg->Exists());
}

TEST_F(ManageDlgTest, ExitButtonDestroysTheDialogAndTheTimerOverlay) {
    HWND timer =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TimerWnd::Instance()->handle = timer;
    HWND window = dlg->handle;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_MANAGER_EXIT, BN_CLICKED), 0);
    EXPECT_TRUE(testing::DrainMessages());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, dlg->handle);
    EXPECT_FALSE(IsWindow(timer));
    EXPECT_EQ(nullptr, TimerWnd::Instance()->handle);
}

TEST_F(ManageDlgTest, OkAndCancelLeaveLikeTheExitButton) {
    for (WORD id : {static_cast<WORD>(IDOK), static_cast<WORD>(IDCANCEL)}) {
        HWND window = dlg->handle;
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        EXPECT_TRUE(testing::DrainMessages()) << id;
        EXPECT_FALSE(IsWindow(window)) << id;
        dlg->Create(nullptr);
        testing::DrainMessages();
    }
}

TEST_F(ManageDlgTest, OtherCommandsDoNothing) {
    const LRESULT r = SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(4242, BN_CLICKED), 0);
    EXPECT_EQ(0, r);
    EXPECT_FALSE(testing::DrainMessages());
    EXPECT_TRUE(dlg->Exists());
}

TEST_F(ManageDlgTest, ASaveThatFailsIsToldOnceAndTheWayOutStaysClean) {
    ASSERT_TRUE(CreateDirectoryA("conf.xml", nullptr));  // conf.xml cannot be written
    testing::PlayerMessages().clear();
    SendMessageW(dlg->handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testing::DrainMessages()) << "exit code 0";
    SendMessageW(dlg->handle, WM_COMMAND, MAKEWPARAM(IDC_MANAGER_EXIT, BN_CLICKED), 0);
    EXPECT_TRUE(testing::DrainMessages());
    ASSERT_EQ(1u, testing::PlayerMessages().size()) << "three saves failed, one message";
    EXPECT_NE(std::wstring::npos, testing::PlayerMessages()[0].find(L"conf.xml"));
    RemoveDirectoryA("conf.xml");
}

}  // namespace
}  // namespace gkr
