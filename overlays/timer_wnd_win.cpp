#include "overlays/timer_wnd_win.h"

#include "app/contract.h"
#include "app/game_window_win.h"
#include "app/overlay_win.h"
#include "settings/settings.h"

namespace gkr {

Procedure TimerWnd::DialogProc() { return &StaticProcedure<TimerWnd>; }

LRESULT TimerWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    handle = window;  // known from the first message of CreateWindowExW on
    return DefWindowProcW(window, message, wParam, lParam);
}

bool TimerWnd::Usable() const { return AppSettings().UseTimer != 0 && Exists(); }

void TimerWnd::Start() {
    if (!Usable()) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    startCount_ = now.QuadPart;
    running_ = 1;
}

void TimerWnd::Stop() {
    if (!Usable()) return;
    running_ = 0;
}

void TimerWnd::Tick() {
    if (!Usable() || !IsRunning()) return;
    // The clock display is drawn by the overlay's painting code.
}

void TimerWnd::Hide() {
    if (Usable()) ShowWindow(handle, SW_HIDE);
}

void TimerWnd::Show() {
    if (Usable()) ShowWindow(handle, SW_SHOW);
}

void TimerWnd::SetScale(double scale) {
    scale_ = scale;
    geometry_ = ComputeTimerGeometry(scale);
    if (!Exists()) return;
    // The client area takes the new size; the frame, if any, keeps its own.
    RECT client = {}, outer = {};
    GetClientRect(handle, &client);
    GetWindowRect(handle, &outer);
    const OverlayRect& r = geometry_.window;
    const int width = r.width - r.x + (outer.right - outer.left) - (client.right - client.left);
    const int height = r.height - r.y + (outer.bottom - outer.top) - (client.bottom - client.top);
    SetWindowPos(handle, nullptr, 0, 0, width, height, SWP_NOZORDER);
}

HWND TimerWnd::Create() {
    SetScale(AppSettings().TimerSize.load() / 100.0);
    gameWindow_ = PrepareGameWindow();
    if (!gameWindow_) return nullptr;
    const OverlayRect& r = geometry_.window;
    const OverlayLook look = {kTimerWndClass, L"Timer", WS_CHILD | WS_VISIBLE, 0, r.x, r.y, r.width, r.height};
    HWND window = CreateOverlay(*this, look);
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace gkr
