#include "overlays/energy_wnd_win.h"

#include "app/contract.h"
#include "app/game_window_win.h"
#include "app/overlay_win.h"
#include "overlays/overlay_geometry.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// A memory device context compatible with a window's, for building a path.
class PathDC {
public:
    explicit PathDC(HWND window) {
        HDC windowDC = GetDC(window);
        dc_ = CreateCompatibleDC(windowDC);
        ReleaseDC(window, windowDC);
    }
    ~PathDC() {
        if (dc_) DeleteDC(dc_);
    }
    PathDC(const PathDC&) = delete;
    PathDC& operator=(const PathDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

}  // namespace

Procedure EnergyWnd::DialogProc() { return &StaticProcedure<EnergyWnd>; }

LRESULT EnergyWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    handle = window;  // known from the first message of CreateWindowExW on
    if (message == WM_SIZE) ShapeToGauge(window);
    return DefWindowProcW(window, message, wParam, lParam);
}

void EnergyWnd::ShapeToGauge(HWND window) {
    PathDC path(window);
    if (!path.Get()) return;
    const int32_t width = EnergyBarRect(AppSettings().MaxHealth.load(), 0, 0).width;
    const int32_t marker = EnergyBarMarker(width);
    BeginPath(path.Get());
    Rectangle(path.Get(), 0, 0, width, 4);
    Rectangle(path.Get(), marker - 1, 4, marker + 1, 10);
    EndPath(path.Get());
    HRGN region = PathToRegion(path.Get());
    if (!region) return;
    if (SetWindowRgn(window, region, TRUE)) region_ = region;
    else DeleteObject(region);
}

HWND EnergyWnd::Create() {
    if (!FindGameWindow()) return nullptr;
    // Created empty, then moved: the move sizes and shapes it for the maximum
    // health read so far (the next placement fixes a stale one).
    const OverlayLook look = {kEnergyWndClass, L"Timer", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0};
    HWND window = CreateOverlay(*this, look);
    if (!window) return nullptr;
    const Settings& s = AppSettings();
    const OverlayRect r = EnergyBarRect(s.MaxHealth.load(), s.OffsetX.load(), s.OffsetY.load());
    MoveWindow(window, r.x, r.y, r.width, r.height, TRUE);
    ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace gkr
