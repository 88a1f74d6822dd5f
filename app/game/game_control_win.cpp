#include "app/game/game_control_win.h"

#include <atomic>
#include <optional>
#include <string>

#include "app/game/game_window_win.h"
#include "app/game/process_api_win.h"
#include "app/framework/mail_messages.h"
#include "app/framework/mailbox_win.h"
#include "app/framework/scoped_win.h"
#include "app/framework/seams.h"
#include "app/framework/singleton.h"
#include "app/framework/system_library_win.h"
#include "app/framework/thread_wait_win.h"
#include "app/game/web_addresses.h"
#include "settings/text_convert.h"

namespace gkr {

namespace {

// The force quit the player asked for: one at a time, on a thread of its own,
// with the process functions it binds on the first one.
class ForceQuit : public Singleton<ForceQuit> {
public:
    // The user-interface thread only.
    bool Start() {
        if (Running()) return false;
        ++started_;
        HANDLE thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        if (!thread) {
            --started_;
            return false;
        }
        thread_.emplace(thread);  // the previous one has ended
        return true;
    }

    bool Running() const { return started_ != ended_.load(); }

    bool Finish(DWORD timeoutMs) {
        if (!thread_) return true;
        return WaitForThreadAnsweringSends(thread_->Get(), timeoutMs);
    }

private:
    friend class Singleton<ForceQuit>;
    ForceQuit() { api_.Load(); }

    static DWORD WINAPI Run(LPVOID param) {
        ForceQuit* self = static_cast<ForceQuit*>(param);
        // Told by the window's thread: this one must not wait on the player.
        if (!ForceQuitGame(self->api_)) PostMail(kMailGameNotEnded);
        self->ended_.fetch_add(1);
        return 0;
    }

    // Never released: a force quit still running while the process ends
    // keeps calling valid entry points.
    ProcessApi api_;
    std::optional<ScopedHandle> thread_;
    // Force quits started (written by the user-interface thread) and ended
    // (written by the force quit's thread): one runs while they differ.
    uint32_t started_ = 0;
    std::atomic<uint32_t> ended_{0};
};

// The shell (about 1.4 MB with the COM libraries it loads) is needed only by
// the two web buttons: bound on their first click.
bool ShellExecuteOpen(const wchar_t* file, const wchar_t* parameters) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static const auto shellExecute = SystemFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    // Above 32 is success; anything else is an error code.
    return shellExecute &&
           reinterpret_cast<INT_PTR>(shellExecute(nullptr, L"open", file, parameters, nullptr, SW_SHOW)) > 32;
}

// The tests' seam, else the shell.
bool OpenInShell(const wchar_t* file, const wchar_t* parameters) {
    if (const Seams::ShellOpener opener = Seams::Instance().openShell.load()) return opener(file, parameters);
    return ShellExecuteOpen(file, parameters);
}

void SendBounded(UINT message) {
    // Each send finds the window anew: the game may be gone after the first.
    HWND game = FindGameWindow();
    if (!game) return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(game, message, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kGameSendTimeoutMs, &ignored);
}


}  // namespace

bool StartForceQuit() { return ForceQuit::Instance().Start(); }
bool ForceQuitRunning() { return ForceQuit::Instance().Running(); }
bool FinishForceQuit(DWORD timeoutMs) { return ForceQuit::Instance().Finish(timeoutMs); }

bool ForceQuitGame(const ProcessApi& api) {
    if (HWND game = FindGameWindow()) SetForegroundWindow(game);
    Sleep(kForceQuitSettleMs);
    // Minimised without waiting on the game's thread (CloseWindow would).
    if (HWND game = FindGameWindow()) ShowWindowAsync(game, SW_MINIMIZE);
    SendBounded(WM_CLOSE);
    SendBounded(WM_DESTROY);
    SendBounded(WM_NCDESTROY);
    if (KillGame(api)) return true;
    // Nothing was ended: right when no game was there to end.
    DWORD pid = 0;
    ScopedHandle left(OpenGameProcess(api, &pid));
    return pid == 0 && !FindGameWindow();
}


bool LaunchGame() {
    // Internet Explorer by name: the portal's game start needs it, whatever the default browser.
    const std::wstring address = DisplayText(GameLoginAddress());  // plain ASCII
    return OpenInShell(L"iexplore.exe", address.c_str());
}

bool OpenHomePage() {
    const std::wstring address = DisplayText(HomePageAddress());
    return OpenInShell(address.c_str(), nullptr);
}

}  // namespace gkr
