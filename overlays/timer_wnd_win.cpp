#include "overlays/timer_wnd_win.h"

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

void TimerWnd::SetScale(double scale) { scale_ = scale; }

}  // namespace gkr
