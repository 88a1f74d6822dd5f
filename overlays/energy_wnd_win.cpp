#include "overlays/energy_wnd_win.h"

#include "app/framework/contract.h"
#include "app/framework/double_buffer_win.h"
#include "app/game/game_window_win.h"
#include "overlays/overlay_procedure_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/scoped_win.h"
#include "overlays/energy_bar_plan.h"
#include "overlays/overlay_geometry.h"
#include "overlays/overlay_messages.h"
#include "settings/settings.h"

namespace gkr {

namespace {

constexpr int kStripHeight = 4;

}  // namespace

Procedure EnergyWnd::DialogProc() { return &StaticProcedure<EnergyWnd>; }

LRESULT EnergyWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    handle = window;  // known from the first message of CreateWindowExW on
    LRESULT answer = 0;
    if (TopLevelOverlayMessage(window, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_SIZE:
    case kReshapeOverlayMessage:
        ShapeToGauge(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 1;
    default:
        break;
    }
    return OverlayWindowMessage(*this, window, message, wParam, lParam,
                                [this](HDC dc, int width, int height) { Draw(dc, width, height); });
}

void EnergyWnd::ShapeToGauge(HWND window) {
    // From the window's own width, which the placement set from the maximum health.
    RECT client = {};
    GetClientRect(window, &client);
    const int32_t width = client.right;
    const int32_t marker = EnergyBarMarker(width);
    MemoryDC path(nullptr);
    if (!path) return;
    BeginPath(path.Get());
    Rectangle(path.Get(), 0, 0, width, kStripHeight);
    Rectangle(path.Get(), marker - 1, kStripHeight, marker + 1, 10);
    EndPath(path.Get());
    SetOverlayRegion(window, ScopedRegion(PathToRegion(path.Get())));
}

void EnergyWnd::Draw(HDC dc, int width, int height) {
    DoubleBuffer buffer(surface_, dc, width, height);
    if (!buffer.Ok()) return;
    HDC memory = buffer.Dc();
    ScopedBrush yellow(CreateSolidBrush(RGB(255, 255, 0)));
    ScopedBrush green(CreateSolidBrush(RGB(0, 128, 0)));
    const int x40 = static_cast<int>(width * 0.4);
    const RECT low = {0, 0, x40, kStripHeight}, high = {x40, 0, width, kStripHeight};
    const RECT below = {0, kStripHeight, width, height};  // only the tick survives the region
    FillRect(memory, &low, yellow.Get());
    FillRect(memory, &high, green.Get());
    FillRect(memory, &below, yellow.Get());
    buffer.CopyOut();
}

void EnergyWnd::Place(int32_t useEnergy, int32_t maxHealth, int32_t offsetX, int32_t offsetY) {
    OverlayThread::Instance().Post(
        [this, useEnergy, maxHealth, offsetX, offsetY] { PlaceNow(useEnergy, maxHealth, offsetX, offsetY); });
}

void EnergyWnd::PlaceNow(int32_t useEnergy, int32_t maxHealth, int32_t offsetX, int32_t offsetY) {
    HWND bar = Live();
    OverlayRect current;
    if (bar) {
        const RECT r = OverlayRectInGame(bar);
        current = OverlayRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    const EnergyBarPlan plan = PlanEnergyBar(useEnergy, maxHealth, offsetX, offsetY, bar ? &current : nullptr);
    const bool shown = bar && (GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
    switch (plan.step) {
    case EnergyBarStep::Hide:
        if (shown) ShowOverlayNow(bar, false);
        break;
    case EnergyBarStep::Show:
        if (!shown) ShowOverlayNow(bar, true);
        break;
    case EnergyBarStep::MoveAndShow:
        MoveOverlayNow(bar, plan.target.x, plan.target.y, plan.target.width, plan.target.height);
        InvalidateRect(bar, nullptr, TRUE);
        ShowOverlayNow(bar, true);
        break;
    case EnergyBarStep::Nothing:
        break;
    }
}

HWND EnergyWnd::Create() {
    if (!OverlayGameWindow()) return nullptr;
    // Created empty, then moved: the move sizes and shapes it for the maximum
    // health read so far (the next placement fixes a stale one).
    const OverlayLook look = {kEnergyWndClass, L"Timer", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0};
    HWND window = CreateOverlay(*this, look);
    if (!window) return nullptr;
    const Settings& s = Settings::Instance();
    const OverlayRect r = EnergyBarRect(s.MaxHealth.load(), s.OffsetX.load(), s.OffsetY.load());
    PlaceOverlayNow(window, r.x, r.y, r.width, r.height, TRUE);
    ShowOverlayNow(window, true);
    return window;
}

}  // namespace gkr
