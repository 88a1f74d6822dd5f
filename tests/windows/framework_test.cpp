// The window framework: singletons reached from static procedures, dialogs
// created and re-created from templates, closing, modal use and overlays.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/framework/contract.h"
#include "app/framework/dialog_win.h"
#include "app/framework/module_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/singleton.h"
#include "app/framework/window_win.h"
#include "app/framework/worker_wake_win.h"
#include "resources/manager_ids.h"
#include "tests/windows/manager_test_support.h"

namespace gkr {
namespace {

// A window object that counts its constructions and records its messages.
class CountedWnd : public Window, public Singleton<CountedWnd> {
public:
    static int constructed;
    std::vector<UINT> messages;

    Procedure DialogProc() override { return &StaticProcedure<CountedWnd>; }
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        messages.push_back(message);
        handle = window;
        return DefWindowProcW(window, message, wParam, lParam);
    }

private:
    friend class Singleton<CountedWnd>;
    CountedWnd() { ++constructed; }
};
int CountedWnd::constructed = 0;

TEST(Singleton, FirstMessageToTheStaticProcedureCreatesTheInstance) {
    ASSERT_EQ(0, CountedWnd::constructed) << "nothing may have asked for the instance yet";
    // The class is registered with the static procedure alone: no object exists.
    RegisterOverlayClass(L"GKRTestCountedWnd", &StaticProcedure<CountedWnd>);
    HWND window = CreateWindowExW(0, L"GKRTestCountedWnd", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ModuleInstance(), nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, CountedWnd::constructed);
    CountedWnd* first = &CountedWnd::Instance();
    EXPECT_EQ(first, &CountedWnd::Instance());
    EXPECT_EQ(1, CountedWnd::constructed);
    EXPECT_EQ(window, first->handle);
    ASSERT_FALSE(first->messages.empty());
    DestroyWindow(window);
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), first->messages.back());
}

// A dialog on the manager's template that records which windows it saw destroyed.
class RecordingDlg : public Dialog, public Singleton<RecordingDlg> {
public:
    std::vector<HWND> destroyed;
    int endCode = 0;  // > 0: end the dialog with this code as soon as it starts

    Procedure DialogProc() override { return &StaticProcedure<RecordingDlg>; }
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
        case WM_INITDIALOG:
            if (endCode > 0) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && endCode > 0) EndDialog(window, endCode);
            return TRUE;
        case WM_DESTROY:
            destroyed.push_back(window);
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    friend class Singleton<RecordingDlg>;
    RecordingDlg() : Dialog(IDD_MANAGER) {}
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        dlg = &RecordingDlg::Instance();
        dlg->destroyed.clear();
        dlg->endCode = 0;
    }
    void TearDown() override { dlg->Close(); }
    RecordingDlg* dlg = nullptr;
};

TEST_F(DialogTest, CreateMakesTheDialogFromItsTemplate) {
    HWND window = dlg->Create(nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, dlg->handle);
    EXPECT_NE(nullptr, GetDlgItem(window, IDC_MANAGER_TAB));
}

TEST_F(DialogTest, CreateAgainDestroysTheOldWindowFirst) {
    HWND first = dlg->Create(nullptr);
    ASSERT_NE(nullptr, first);
    HWND second = dlg->Create(nullptr);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(second, dlg->handle);
    EXPECT_EQ(std::vector<HWND>{first}, dlg->destroyed);
    EXPECT_TRUE(IsWindow(second));
}

TEST_F(DialogTest, CloseDestroysAndForgets) {
    HWND window = dlg->Create(nullptr);
    dlg->Close();
    EXPECT_EQ(nullptr, dlg->handle);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(std::vector<HWND>{window}, dlg->destroyed);
}

TEST_F(DialogTest, CloseOnAWindowAlreadyGoneLeavesNoHandle) {
    HWND window = dlg->Create(nullptr);
    DestroyWindow(window);
    ASSERT_FALSE(IsWindow(window));
    dlg->Close();
    EXPECT_EQ(nullptr, dlg->handle);
    dlg->Close();  // and again, with nothing held
    EXPECT_EQ(nullptr, dlg->handle);
}

// Run only as a child process by the test below: owns one top-level window
// until it is told to close, or 20 s have passed.
TEST(ForeignWindow, DISABLED_OwnAWindow) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = L"GKRTestForeignWnd";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, ModuleInstance(), nullptr);
    const ULONGLONG end = GetTickCount64() + 20000;
    MSG msg;
    while (IsWindow(window) && GetTickCount64() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

TEST_F(DialogTest, CloseNeverTouchesAWindowOfAnotherProcess) {
    // A stale handle may name some other program's window by now.
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + exe + L"\" --gtest_also_run_disabled_tests" +
                           L" --gtest_filter=ForeignWindow.DISABLED_OwnAWindow";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(exe, &command[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                               &si, &pi));
    HWND foreign = nullptr;
    for (int i = 0; i < 500 && !foreign; ++i, Sleep(20)) foreign = FindWindowW(L"GKRTestForeignWnd", nullptr);
    ASSERT_NE(nullptr, foreign);

    dlg->handle = foreign;
    dlg->Close();
    EXPECT_EQ(nullptr, dlg->handle);
    EXPECT_TRUE(IsWindow(foreign));
    EXPECT_FALSE(IsIconic(foreign));

    PostMessageW(foreign, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST_F(DialogTest, RunModalReturnsTheEndDialogCode) {
    dlg->endCode = 77;
    EXPECT_EQ(77, dlg->RunModal(nullptr));
    EXPECT_EQ(nullptr, dlg->handle);  // a modal run does not take the object's window slot
}

// --- overlays ------------------------------------------------------------

class OverlayWnd : public Window, public Singleton<OverlayWnd> {
public:
    Procedure DialogProc() override { return &StaticProcedure<OverlayWnd>; }
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window, message, wParam, lParam);
    }

private:
    friend class Singleton<OverlayWnd>;
    OverlayWnd() = default;
};

// A top-level window of the game's class, without the clip-children style.
class FakeGame : public testing::FakeGameWindow {
public:
    FakeGame() : window(Handle()) {
        SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) & ~WS_CLIPCHILDREN);
    }
    HWND window;
};

const OverlayLook kLook = {L"GKRTestOverlay", L"Timer", WS_CHILD | WS_VISIBLE, 0, 3, 4, 100, 20};

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A wake reaches the worker whether it comes before its wait or during it;
// a wait without one reports none.
TEST(WorkerWake, NoWakeIsLostAndAWaitWithoutOneReportsNone) {
    WaitForWorkerWake(0);  // what earlier tests left
    WakeWorker();
    EXPECT_TRUE(WaitForWorkerWake(5000)) << "a wake before the wait";
    EXPECT_FALSE(WaitForWorkerWake(120));

    std::thread waker([] {
        Sleep(50);
        WakeWorker();
    });
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(WaitForWorkerWake(5000)) << "a wake during the wait";
    EXPECT_LT(GetTickCount64() - start, 2000u);
    waker.join();
}

TEST(Overlay, NoGameWindowMeansNoOverlay) {
    ASSERT_EQ(nullptr, FindWindowW(kGameWindowClass, nullptr));
    OverlayWnd* overlay = &OverlayWnd::Instance();
    overlay->handle = nullptr;
    EXPECT_EQ(nullptr, CreateOverlay(*overlay, kLook));
    EXPECT_EQ(nullptr, overlay->handle);
}

TEST(Overlay, CreatedAsAChildOfTheGameWindow) {
    FakeGame game;
    ASSERT_NE(nullptr, game.window);
    OverlayWnd* overlay = &OverlayWnd::Instance();
    HWND window = CreateOverlay(*overlay, kLook);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, overlay->handle);
    EXPECT_EQ(game.window, GetParent(window));
    EXPECT_EQ(L"GKRTestOverlay", ClassName(window));
    EXPECT_TRUE(GetWindowLongW(game.window, GWL_STYLE) & WS_CLIPCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, game.window, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(3, r.left);
    EXPECT_EQ(4, r.top);
    EXPECT_EQ(100, r.right - r.left);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(ModuleInstance(), L"GKRTestOverlay", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(overlay->DialogProc(), wc.lpfnWndProc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), wc.hbrBackground);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), wc.hCursor);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);
    overlay->Close();
}

TEST(Overlay, CreatingAgainReplacesTheOldWindow) {
    FakeGame game;
    OverlayWnd* overlay = &OverlayWnd::Instance();
    HWND first = CreateOverlay(*overlay, kLook);
    HWND second = CreateOverlay(*overlay, kLook);  // the class is registered again: harmless
    ASSERT_NE(nullptr, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(second, overlay->handle);
    overlay->Close();
}

TEST(Overlay, DiesWithTheGameWindowAndIsThenSeenAsMissing) {
    OverlayWnd* overlay = &OverlayWnd::Instance();
    {
        FakeGame game;
        CreateOverlay(*overlay, kLook);
        EXPECT_TRUE(overlay->Exists());
    }
    EXPECT_NE(nullptr, overlay->handle);  // the handle is stale, not cleared
    EXPECT_FALSE(overlay->Exists());
    overlay->Close();
    EXPECT_EQ(nullptr, overlay->handle);
}

}  // namespace
}  // namespace gkr
