// The real DummyGKR.exe, started from this program's folder for the life of
// the object, so GKRTimer's code in this process reads its picture from the
// display and places overlays in its window, as it does beside the game.
#pragma once

#include <windows.h>

#include <string>

#include "app/framework/contract.h"
#include "tests/windows/manager_test_support.h"

namespace gkr::testing {

inline std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// Starts a program with no arguments; only its process handle is kept open.
inline bool StartProgram(const std::wstring& exe, PROCESS_INFORMATION& process) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    return true;
}

class DummyGame {
public:
    DummyGame() {
        const std::wstring exe = ExeFolder() + L"DummyGKR.exe";
        if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        if (!StartProgram(exe, process_)) return;
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

}  // namespace gkr::testing
