#include "tests/windows/painted_window.h"

namespace gkr::test {

PaintedWindow::PaintedWindow(const wchar_t* className, POINT topLeft, SIZE size, std::vector<Fill> fills)
    : className_(className), fills_(std::move(fills)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className_;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, className_, L"painted", WS_POPUP, topLeft.x, topLeft.y,
                              size.cx, size.cy, nullptr, nullptr, wc.hInstance, this);
    // Never active: under Wine without a window manager, destroying the
    // active window stalls for two seconds.
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

PaintedWindow::~PaintedWindow() {
    if (window_) DestroyWindow(window_);
    UnregisterClassW(className_, GetModuleHandleW(nullptr));
}

LRESULT CALLBACK PaintedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PaintedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && self) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        for (const Fill& f : self->fills_) {
            HBRUSH brush = CreateSolidBrush(f.color);
            FillRect(dc, &f.rect, brush);
            DeleteObject(brush);
        }
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool PaintedWindow::Repaint(std::vector<Fill> fills, POINT probe, COLORREF expected) {
    fills_ = std::move(fills);
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
    return WaitForPixel(probe, expected);
}

bool PaintedWindow::WaitForPixel(POINT probe, COLORREF expected) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        POINT screen = probe;
        ClientToScreen(window_, &screen);
        if (ScreenPixel(screen) == expected) return true;
        if (GetTickCount() - start > 3000) return false;
        Sleep(20);
    }
}

COLORREF ScreenPixel(POINT p) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace gkr::test
