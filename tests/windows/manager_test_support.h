// Helpers for the manager dialog's tests: a scratch current directory (the
// dialog reads and writes its files there), the settings put back after each
// test, a window posing as the game, a mailbox standing in for the manager
// dialog's, and message pumping.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "app/framework/contract.h"
#include "app/framework/mailbox_win.h"
#include "app/framework/module_win.h"
#include "app/interface_mail_win.h"
#include "settings/settings.h"
#include "tests/windows/settings_win_support.h"

namespace gkr::testing {

// Makes a fresh folder the current directory for the lifetime of the object.
class ScratchCurrentDirectory {
public:
    ScratchCurrentDirectory() {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        if (!SetCurrentDirectoryA(dir_.Path().c_str())) ADD_FAILURE() << "cannot enter " << dir_.Path();
    }
    ~ScratchCurrentDirectory() { SetCurrentDirectoryA(previous_); }
    ScratchCurrentDirectory(const ScratchCurrentDirectory&) = delete;
    ScratchCurrentDirectory& operator=(const ScratchCurrentDirectory&) = delete;

    std::string File(const std::string& name) const { return dir_.File(name); }
    bool Has(const std::string& name) const {
        return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    WinTempDir dir_;
    char previous_[MAX_PATH] = {};
};

// Every option, both lists: taken at construction, put back at destruction.
class SettingsGuard {
public:
    SettingsGuard() : accels_(Settings::Instance().accels.Copy()), keyConfigs_(Settings::Instance().keyConfigs) {
        for (size_t i = 0; i < kOptions.size(); ++i) values_[i] = (Settings::Instance().*kOptions[i]).load();
    }
    ~SettingsGuard() {
        Settings& s = Settings::Instance();
        for (size_t i = 0; i < kOptions.size(); ++i) (s.*kOptions[i]).store(values_[i]);
        s.accels.Publish(accels_);
        s.keyConfigs = keyConfigs_;
    }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

private:
    static constexpr std::array<Option Settings::*, 29> kOptions = {
        &Settings::UseKey,       &Settings::UsePad,       &Settings::MailBackup,    &Settings::MailDelete,
        &Settings::MailRestore,  &Settings::LastKey,      &Settings::DefaultKey,    &Settings::UseX,
        &Settings::UseY,         &Settings::UseZ,         &Settings::UseR,          &Settings::UseU,
        &Settings::UseV,         &Settings::UseKeyDefault, &Settings::UseKeyBackup, &Settings::UseFlute,
        &Settings::UpNote,       &Settings::SideNote,     &Settings::DownNote,      &Settings::FluteWndX,
        &Settings::FluteWndY,    &Settings::FluteSkill,   &Settings::UseAutoTimer,  &Settings::UseTimer,
        &Settings::TimerSize,    &Settings::UseEnergy,    &Settings::MaxHealth,     &Settings::OffsetX,
        &Settings::OffsetY};

    AccelList accels_;
    std::vector<KeyConfig> keyConfigs_;
    std::array<int32_t, 29> values_ = {};
};

// A top-level window of the game's class inside this process, 640 x 480 client.
class FakeGameWindow {
public:
    explicit FakeGameWindow(WNDPROC procedure = DefWindowProcW) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = procedure;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kGameWindowClass;
        RegisterClassExW(&wc);  // may exist already: then that class serves
        RECT r = {0, 0, 640, 480};
        AdjustWindowRectEx(&r, WS_POPUP, FALSE, 0);
        window_ = CreateWindowExW(0, kGameWindowClass, L"", WS_POPUP, 0, 0, r.right - r.left, r.bottom - r.top,
                                  nullptr, nullptr, ModuleInstance(), nullptr);
    }
    ~FakeGameWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
        // Tests that paint a game window of their own register the class anew.
        UnregisterClassW(kGameWindowClass, ModuleInstance());
    }
    FakeGameWindow(const FakeGameWindow&) = delete;
    FakeGameWindow& operator=(const FakeGameWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// A window of this thread that takes the program's mail as the manager
// dialog does, while the object lives: what the worker and the overlay
// thread post reaches the settings and the pages when messages are pumped.
class MailboxWindow {
public:
    MailboxWindow() {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return ReceiveMail(message, wParam, lParam) ? 0 : DefWindowProcW(window, message, wParam, lParam);
        };
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = L"GKRTestMailbox";
        RegisterClassExW(&wc);  // may exist already
        window_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        OpenMailbox(window_);
    }
    ~MailboxWindow() {
        CloseMailbox(window_);
        DestroyWindow(window_);
    }
    MailboxWindow(const MailboxWindow&) = delete;
    MailboxWindow& operator=(const MailboxWindow&) = delete;

private:
    HWND window_ = nullptr;
};

// Dispatches every queued message; true if WM_QUIT with exit code 0 was among them.
inline bool DrainMessages() {
    bool quit = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = msg.wParam == 0;
            continue;
        }
        DispatchMessageW(&msg);
    }
    return quit;
}

// Pumps messages until done() holds or timeoutMs have passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        DrainMessages();
    }
    return true;
}

// Parent-relative rectangle of a child window.
inline RECT RectInParent(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

}  // namespace gkr::testing
