#include "app/window_win.h"

namespace gkr {

bool IsOwnWindow(HWND window) {
    if (!window || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool Window::Exists() const { return IsOwnWindow(handle); }

void Window::Close() {
    if (IsOwnWindow(handle)) {
        CloseWindow(handle);
        DestroyWindow(handle);
    }
    handle = nullptr;
}

}  // namespace gkr
