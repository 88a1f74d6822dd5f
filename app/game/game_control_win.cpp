#include "app/game/game_control_win.h"

#include <atomic>
#include <optional>
#include <string>

#include "app/game/game_window_win.h"
#include "app/game/process_api_win.h"
#include "app/framework/scoped_win.h"
#include "app/framework/system_library_win.h"
#include "app/framework/thread_wait_win.h"
#include "app/game/web_addresses.h"
#include "settings/text_convert.h"

namespace gkr {

namespace {

// The force quit the player asked for: one at a time, on a thread of its own.
// Started and waited for on the user-interface thread only; the running flag
// is cleared by that thread at its end.
class ForceQuit {
public:
    static ForceQuit& Instance() {
        static ForceQuit forceQuit;
        return forceQuit;
    }

    bool Start(HWND notify) {
        if (running_.exchange(true)) return false;
        notify_ = notify;
        HANDLE thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        if (!thread) {
            running_ = false;
            return false;
        }
        thread_.emplace(thread);  // the previous one has ended
        return true;
    }

    bool Running() const { return running_.load(); }

    bool Finish(DWORD timeoutMs) {
        if (!thread_) return true;
        return WaitForThreadAnsweringSends(thread_->Get(), timeoutMs);
    }

private:
    ForceQuit() = default;

    static DWORD WINAPI Run(LPVOID param) {
        ForceQuit* self = static_cast<ForceQuit*>(param);
        // Told by the window's thread: this one must not wait on the player.
        if (!ForceQuitGame()) PostMessageW(self->notify_.load(), kGameNotEndedMessage, 0, 0);
        self->running_ = false;
        return 0;
    }

    std::atomic<bool> running_{false};
    std::atomic<HWND> notify_{nullptr};  // set before the thread starts
    std::optional<ScopedHandle> thread_;
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

// Tests put a recorder in its place: no browser opens under them.
std::atomic<ShellOpener> shellOpener{&ShellExecuteOpen};

void SendBounded(UINT message) {
    // Each send finds the window anew: the game may be gone after the first.
    HWND game = FindGameWindow();
    if (!game) return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(game, message, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kGameSendTimeoutMs, &ignored);
}


}  // namespace

bool StartForceQuit(HWND notify) { return ForceQuit::Instance().Start(notify); }
bool ForceQuitRunning() { return ForceQuit::Instance().Running(); }
bool FinishForceQuit(DWORD timeoutMs) { return ForceQuit::Instance().Finish(timeoutMs); }

bool ForceQuitGame() {
    if (HWND game = FindGameWindow()) SetForegroundWindow(game);
    Sleep(kForceQuitSettleMs);
    // Minimised without waiting on the game's thread (CloseWindow would).
    if (HWND game = FindGameWindow()) ShowWindowAsync(game, SW_MINIMIZE);
    SendBounded(WM_CLOSE);
    SendBounded(WM_DESTROY);
    SendBounded(WM_NCDESTROY);
    if (KillGame(ProcessApi::Instance())) return true;
    // Nothing was ended: right when no game was there to end.
    DWORD pid = 0;
    ScopedHandle left(OpenGameProcess(ProcessApi::Instance(), &pid));
    return pid == 0 && !FindGameWindow();
}


void SetShellOpener(ShellOpener opener) { shellOpener = opener ? opener : &ShellExecuteOpen; }

bool LaunchGame() {
    // Internet Explorer by name: the portal's game start needs it, whatever the default browser.
    const std::wstring address = DisplayText(GameLoginAddress());  // plain ASCII
    return shellOpener.load()(L"iexplore.exe", address.c_str());
}

bool OpenHomePage() {
    const std::wstring address = DisplayText(HomePageAddress());
    return shellOpener.load()(address.c_str(), nullptr);
}

}  // namespace gkr
