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
#include "app/screen_state.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/page_ids.h"
#include "tests/windows/manager_test_support.h"

namespace gkr {
namespace {

using testing::DrainMessages;
using testing::PumpUntil;
using testing::ScratchCurrentDirectory;
using testing::SettingsGuard;
using testing::TextOf;

// DummyGKR's scene commands (WM_COMMAND ids it understands).
constexpr int kHideGauge = 41001;
constexpr int kHideNotePanel = 41002;
constexpr int GaugeWithMaximum(int v) { return 41000 + v; }
constexpr int kEmptyNotePanel = 50000;

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// DummyGKR.exe from this program's folder, for the life of the object.
class DummyGame {
public:
    DummyGame() {
        const std::wstring exe = ExeFolder() + L"DummyGKR.exe";
        if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_))
            return;
        CloseHandle(process_.hThread);
        PumpUntil([this] { return (window_ = OwnGameWindow()) != nullptr; }, 20000);
    }
    ~DummyGame() {
        if (!process_.hProcess) return;
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
    }
    DummyGame(const DummyGame&) = delete;
    DummyGame& operator=(const DummyGame&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    HWND Window() const { return window_; }
    void Command(int id) const { PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

private:
    HWND OwnGameWindow() const {
        HWND found = FindWindowW(kGameWindowClass, nullptr);
        DWORD pid = 0;
        if (found) GetWindowThreadProcessId(found, &pid);
        return pid == process_.dwProcessId ? found : nullptr;
    }

    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

class ManagerScreenReading : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(nullptr, FindWindowW(kGameWindowClass, nullptr)) << "another game window is open";
        dummy = std::make_unique<DummyGame>();
        if (!dummy->Started()) GTEST_SKIP() << "DummyGKR.exe is not beside the test program";
        ASSERT_NE(nullptr, dummy->Window());
        Settings& s = AppSettings();
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
        for (Window* w : {static_cast<Window*>(FluteWnd::Instance()), static_cast<Window*>(EnergyWnd::Instance()),
                          static_cast<Window*>(TimerWnd::Instance())})
            w->Close();
    }

    std::wstring MaxHealthBox() const {
        return TextOf(GetDlgItem(EnergyDlg::Instance()->handle, IDC_ENERGY_MAXHEALTH));
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
    ManageDlg* dlg = ManageDlg::Instance();
};

TEST_F(ManagerScreenReading, NotePanelFlagFollowsTheDummysScene) {
    ASSERT_TRUE(WatchUntil(L"100", 1));
    dummy->Command(kHideNotePanel);
    EXPECT_TRUE(WatchUntil(L"100", 0));
    dummy->Command(kEmptyNotePanel);
    EXPECT_TRUE(WatchUntil(L"100", 1));

    // The marker counts only with a maximum read from the gauge.
    dummy->Command(kHideGauge);
    EXPECT_TRUE(WatchUntil(L"-1", 0));
    dummy->Command(GaugeWithMaximum(120));
    EXPECT_TRUE(WatchUntil(L"120", 1));
}

// The energy page written by a thread that does not own it.
class EnergyPageFromAnotherThread : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, EnergyDlg::Instance()->Create(parent));
    }
    void TearDown() override {
        DestroyWindow(parent);
        DrainMessages();
    }
    std::wstring Box() const { return TextOf(GetDlgItem(EnergyDlg::Instance()->handle, IDC_ENERGY_MAXHEALTH)); }

    SettingsGuard settings;
    HWND parent = nullptr;
};

TEST_F(EnergyPageFromAnotherThread, ShowsTheValueWhileThisThreadAnswers) {
    AppSettings().MaxHealth = 145;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        EnergyDlg::Instance()->Sync(false);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 5000));
    worker.join();
    EXPECT_EQ(L"145", Box());
}

TEST_F(EnergyPageFromAnotherThread, GivesUpWhenThisThreadDoesNotAnswer) {
    AppSettings().MaxHealth = 55;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration took{};
    std::thread worker([&] {
        EnergyDlg::Instance()->Sync(false);
        took = std::chrono::steady_clock::now() - start;
    });
    worker.join();  // this thread answers nothing meanwhile
    EXPECT_LT(took, std::chrono::seconds(3));
    DrainMessages();
}

TEST_F(EnergyPageFromAnotherThread, DoesNothingOnceThePageIsGone) {
    const HWND page = EnergyDlg::Instance()->handle;
    DestroyWindow(page);
    EXPECT_EQ(nullptr, EnergyDlg::Instance()->handle);
    AppSettings().MaxHealth = 60;
    std::thread worker([] { EnergyDlg::Instance()->Sync(false); });
    worker.join();
    EXPECT_FALSE(IsWindow(page));
}

}  // namespace
}  // namespace gkr
