#include "app/framework/window_win.h"

namespace gkr {

bool IsOwnWindow(HWND window) {
    if (!window || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

HWND Window::Live() const {
    HWND window = handle;
    return IsOwnWindow(window) ? window : nullptr;
}

void Window::Close() {
    if (HWND window = Live()) {
        // Only a child is closed first: CloseWindow minimises a top-level
        // window, and a window manager minimises its owner's group with it.
        if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) CloseWindow(window);
        DestroyWindow(window);
    }
    handle = nullptr;
}

}  // namespace gkr
