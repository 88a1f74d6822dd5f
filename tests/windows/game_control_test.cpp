// Finding and ending the game's process, with a copy of DummyGKR named
// gkr.exe as the game, and the shell calls of the manager's buttons.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/game/game_control_win.h"
#include "app/game/process_api_win.h"
#include "app/framework/scoped_win.h"
#include "app/game/web_addresses.h"
#include "tests/windows/dummy_game.h"
#include "tests/windows/test_seams.h"

namespace gkr {
namespace {

// DummyGKR copied to a scratch folder as gkr.exe and started from there.
class GameProcess {
public:
    GameProcess() : exe_(Wide(dir_.File("gkr.exe"))) {
        if (!CopyFileW((testing::ExeFolder() + L"DummyGKR.exe").c_str(), exe_.c_str(), FALSE)) return;
        if (!testing::StartProgram(exe_, process_)) return;
        testing::PumpUntil([this] { return (window_ = FindWindowW(kGameWindowClass, nullptr)) != nullptr; }, 20000);
    }
    ~GameProcess() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool Started() const { return window_ != nullptr; }
    DWORD Pid() const { return process_.dwProcessId; }
    // True when the process ends within timeoutMs.
    bool Ends(DWORD timeoutMs) const { return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0; }

private:
    static std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
    testing::WinTempDir dir_;
    std::wstring exe_;
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

TEST(GameProcessWin, BothLookupsFindTheGameThatKillGameThenEnds) {
    GameProcess game;
    ASSERT_TRUE(game.Started());
    ProcessApi snapshot;
    snapshot.Load();
    ASSERT_TRUE(snapshot.HasSnapshot());
    DWORD pid = 0;
    ScopedHandle bySnapshot(OpenGameProcess(snapshot, &pid));
    EXPECT_TRUE(bySnapshot.Valid());
    EXPECT_EQ(game.Pid(), pid);

    ProcessApi query;
    query.LoadSystemInformation();
    ASSERT_TRUE(query.HasSystemInformation());
    ASSERT_FALSE(query.HasSnapshot());
    pid = 0;
    ScopedHandle byQuery(OpenGameProcess(query, &pid));
    EXPECT_TRUE(byQuery.Valid());
    EXPECT_EQ(game.Pid(), pid);

    // A game that answers closes on its close message, long before the grace time ends.
    const ULONGLONG started = GetTickCount64();
    EXPECT_TRUE(KillGame(snapshot, 5000));
    EXPECT_LT(GetTickCount64() - started, 4000u);
    EXPECT_TRUE(game.Ends(1000));
    pid = 0;
    EXPECT_EQ(nullptr, OpenGameProcess(snapshot, &pid));
    EXPECT_FALSE(KillGame(snapshot, 5000));
    snapshot.Release();
    query.Release();
}

std::vector<std::wstring> g_opened;
bool RecordShell(const wchar_t* file, const wchar_t* parameters) {
    g_opened.push_back(std::wstring(file) + L"|" + (parameters ? parameters : L"(none)"));
    return true;
}

TEST(GameControlWin, TheWebButtonsGoThroughTheShellSeam) {
    {
        const testing::ShellSeam recorder(&RecordShell);
        g_opened.clear();
        EXPECT_TRUE(LaunchGame());
        EXPECT_TRUE(OpenHomePage());
    }
    const std::string login = GameLoginAddress(), home = HomePageAddress();
    EXPECT_EQ((std::vector<std::wstring>{L"iexplore.exe|" + std::wstring(login.begin(), login.end()),
                                         std::wstring(home.begin(), home.end()) + L"|(none)"}),
              g_opened);
}

}  // namespace
}  // namespace gkr
