#include "overlays/overlay_win.h"

#include "app/screen/examined_pixels.h"
#include "app/game/game_window_win.h"
#include "app/framework/module_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_geometry.h"
#include "settings/settings.h"

namespace gkr {

void RegisterOverlayClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND CreateOverlay(Window& overlay, const OverlayLook& look) {
    HWND game = PrepareGameWindow();
    if (!game) return nullptr;
    if (overlay.handle) overlay.Close();
    RegisterOverlayClass(look.className, overlay.DialogProc());
    overlay.handle = CreateWindowExW(look.exStyle, look.className, look.title, look.style, look.x, look.y,
                                     look.width, look.height, game, nullptr, ModuleInstance(), nullptr);
    return overlay.handle;
}

void ShowOverlay(HWND overlay, bool show) {
    if (overlay) ShowWindowAsync(overlay, show ? SW_SHOW : SW_HIDE);
}

void MoveOverlay(HWND overlay, int x, int y, int width, int height) {
    if (overlay)
        SetWindowPos(overlay, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void ResizeOverlay(HWND overlay, int width, int height) {
    if (overlay)
        SetWindowPos(overlay, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void DrawOverlay(HWND overlay, UINT message, WPARAM wParam, const OverlayDrawing& draw) {
    RECT client = {};
    GetClientRect(overlay, &client);
    if (message == WM_PRINTCLIENT) {
        draw(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
        return;
    }
    PaintScope paint(overlay);
    draw(paint.Dc(), client.right, client.bottom);
}

void CloseOnOverlayThread(Window& overlay) {
    OverlayThread::Instance().Post([&overlay] { overlay.Close(); });
}

RECT OverlayRectInParent(HWND overlay) {
    RECT r = {};
    GetWindowRect(overlay, &r);
    MapWindowPoints(nullptr, GetParent(overlay), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SetOverlayRegion(HWND overlay, ScopedRegion shape) {
    if (!overlay || !shape) return;
    const Settings& s = AppSettings();
    const RECT place = OverlayRectInParent(overlay);
    for (const ClientPoint& p :
         ExaminedPixelsInside(ClampOffset(s.OffsetX.load()), ClampOffset(s.OffsetY.load()), place.left, place.top,
                              place.right - place.left, place.bottom - place.top)) {
        ScopedRegion pixel(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
        if (pixel) CombineRgn(shape.Get(), shape.Get(), pixel.Get(), RGN_DIFF);
    }
    if (SetWindowRgn(overlay, shape.Get(), TRUE)) shape.Release();
}

}  // namespace gkr
