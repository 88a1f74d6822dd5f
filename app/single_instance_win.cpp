#include "app/single_instance_win.h"

#include <windows.h>

#include "app/framework/contract.h"

namespace gkr {

namespace {

const wchar_t kInstanceMutex[] = L"Local\\GKRTimer.SingleInstance";

// The running copy may still be coming up: its dialog appears within moments.
constexpr int kFindAttempts = 40;
constexpr DWORD kFindIntervalMs = 50;

void ShowRunningManager() {
    for (int attempt = 0; attempt < kFindAttempts; ++attempt) {
        if (HWND manager = FindWindowW(L"#32770", kManagerTitle)) {
            // Neither call waits on the other copy, should it be busy.
            ShowWindowAsync(manager, IsIconic(manager) ? SW_RESTORE : SW_SHOW);
            SetForegroundWindow(manager);
            return;
        }
        Sleep(kFindIntervalMs);
    }
}

}  // namespace

bool ClaimSingleInstance() {
    // Never closed: the claim lasts as long as this process.
    HANDLE claim = CreateMutexW(nullptr, FALSE, kInstanceMutex);
    if (!claim) return true;  // no claim to be had: better two copies than none
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    CloseHandle(claim);
    ShowRunningManager();
    return false;
}

}  // namespace gkr
