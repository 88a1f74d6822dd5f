#include "app/framework/dialog_place_win.h"

#include "app/framework/dialog_place.h"
#include "app/framework/wine_win.h"
#include "app/framework/window_win.h"

namespace gkr {

namespace {

ScreenBox BoxOf(const RECT& r) { return ScreenBox{r.left, r.top, r.right, r.bottom}; }

struct Search {
    HWND dialog;
    RECT box;
    HWND under = nullptr;
    RECT underBox{};
};

// The first visible top-level window of ours, above or below, that holds the dialog whole.
BOOL CALLBACK FindHolder(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    RECT r;
    if (window == search->dialog || !IsWindowVisible(window) || !IsOwnWindow(window) || !GetWindowRect(window, &r)) {
        return TRUE;
    }
    if (!WhollyInside(BoxOf(search->box), BoxOf(r))) return TRUE;
    search->under = window;
    search->underBox = r;
    return FALSE;
}

// Set while a message box of this thread is about to open (the user-interface thread alone shows them).
thread_local HHOOK t_hook = nullptr;

void Unhook() {
    if (t_hook) UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
}

LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = t_hook;
    if (code == HCBT_ACTIVATE) {
        KeepDialogInSight(reinterpret_cast<HWND>(wParam));
        Unhook();
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void KeepDialogInSight(HWND dialog) {
    if (!RunningUnderWine()) return;
    Search search{dialog, {}};
    if (!GetWindowRect(dialog, &search.box)) return;
    EnumWindows(&FindHolder, reinterpret_cast<LPARAM>(&search));
    if (!search.under) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(search.under, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const auto spot = StraddlePlace(BoxOf(search.box), BoxOf(search.underBox), BoxOf(monitor.rcWork));
    if (spot) SetWindowPos(dialog, nullptr, spot->x, spot->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DialogInSightHook::DialogInSightHook() {
    if (!RunningUnderWine() || t_hook) return;  // a box opened from inside another's modal loop: the first hook serves
    t_hook = SetWindowsHookExW(WH_CBT, &OnActivate, nullptr, GetCurrentThreadId());
    installed_ = t_hook != nullptr;
}

DialogInSightHook::~DialogInSightHook() {
    if (installed_) Unhook();
}

}  // namespace gkr
