#include "overlays/timer_wnd_win.h"

#include <string>

#include "app/framework/clock_win.h"
#include "app/framework/contract.h"
#include "app/framework/double_buffer_win.h"
#include "app/framework/mail_messages.h"
#include "app/framework/mailbox_win.h"
#include "app/framework/worker_wake_win.h"
#include "app/game/game_window_win.h"
#include "overlays/overlay_procedure_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/scoped_win.h"
#include "overlays/overlay_messages.h"
#include "settings/text_convert.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// After a click on the indicator, the game takes the topmost change when it
// next reads its messages; the indicator looks again this often, this long.
constexpr UINT_PTR kTopmostCheckTimer = 1;
constexpr UINT kTopmostCheckMs = 50;
constexpr int kTopmostChecks = 20;

int Scaled(double length, double scale) { return static_cast<int>(length * scale); }

}  // namespace

TimerWnd::TimerWnd() : geometry_(ComputeTimerGeometry(1.0)) {}

Procedure TimerWnd::DialogProc() { return &StaticProcedure<TimerWnd>; }

LRESULT TimerWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    handle = window;  // known from the first message of CreateWindowExW on
    LRESULT answer = 0;
    if (TopLevelOverlayMessage(window, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_CREATE:
        gameWindow_ = OverlayGameWindow();
        break;
    case kRepaintOverlayMessage:
        // The worker's tick hands over the face to show.
        face_ = UnpackClockFace(static_cast<int64_t>(lParam));
        break;  // then drawn
    case WM_SIZE:
    case kReshapeOverlayMessage:
        Reshape(window);
        if (message == kReshapeOverlayMessage) InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OnClick(message, lParam);
        break;  // then the default processing
    case WM_TIMER:
        if (wParam == kTopmostCheckTimer) OnTopmostCheck(window);
        return 0;
    case kTimerStateQuery:
        return StateAnswer();
    default:
        break;
    }
    return OverlayWindowMessage(*this, window, message, wParam, lParam,
                                [this](HDC dc, int width, int height) { Draw(dc, width, height); });
}

HWND TimerWnd::UsableWindow() const { return Settings::Instance().UseTimer.load() != 0 ? Live() : nullptr; }

void TimerWnd::Restart(int64_t startCount) {
    // A start that would read as stopped is taken a tick later.
    since_ = startCount == kStopped ? startCount + 1 : startCount;
    // The worker shows the new face now, not when its wait would have ended.
    WakeWorker();
}

void TimerWnd::StopClock() { since_ = kStopped; }

std::optional<int64_t> TimerWnd::NextFaceChange(int64_t now) const {
    const int64_t start = since_.load();
    if (start == kStopped) return std::nullopt;
    const int64_t next = NextClockFaceChange(now - start, PerformanceFrequency());
    if (next == INT64_MAX) return std::nullopt;
    return start + next;
}

void TimerWnd::Start() {
    if (UsableWindow()) Restart(PerformanceCount());
}

void TimerWnd::Stop() {
    if (UsableWindow()) StopClock();
}

void TimerWnd::Tick() {
    HWND window = UsableWindow();
    const int64_t start = since_.load();
    if (!window || start == kStopped) return;
    const ClockFace face = ClockFaceAt(PerformanceCount() - start, PerformanceFrequency());
    if (face == postedFace_) return;
    // Drawn at once into a window DC (see the README for what that saves).
    if (PostMessageW(window, kRepaintOverlayMessage, 0, static_cast<LPARAM>(PackClockFace(face)))) postedFace_ = face;
}

void TimerWnd::Hide() { ShowOverlay(UsableWindow(), false); }

void TimerWnd::Show() { ShowOverlay(UsableWindow(), true); }

void TimerWnd::SetScale(double scale) {
    const TimerGeometry geometry = ComputeTimerGeometry(scale);
    scale_ = scale;
    geometry_ = geometry;
    HWND window = Live();
    if (!window) return;
    // The client area takes the new size; the frame, if any, keeps its own.
    RECT client = {}, outer = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    const OverlayRect& r = geometry.window;
    const int width = r.width - r.x + (outer.right - outer.left) - (client.right - client.left);
    const int height = r.height - r.y + (outer.bottom - outer.top) - (client.bottom - client.top);
    MoveOverlayNow(window, 0, 0, width, height);
    // The corners and the font follow the scale even where the size does not change.
    PostMessageW(window, kReshapeOverlayMessage, 0, 0);
}

HWND TimerWnd::Create() {
    SetScale(TimerScale(Settings::Instance().TimerSize.load()));
    HWND game = OverlayGameWindow();
    gameWindow_ = game;
    if (!game) return nullptr;
    const OverlayRect r = Geometry().window;
    const OverlayLook look = {kTimerWndClass, L"Timer", WS_CHILD | WS_VISIBLE, 0, r.x, r.y, r.width, r.height};
    HWND window = CreateOverlay(*this, look);
    if (window) ShowOverlayNow(window, true);
    return window;
}

bool TimerWnd::GameIsTopmost() const {
    HWND game = gameWindow_;
    return game && (GetWindowLongW(game, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void TimerWnd::ToggleGameTopmost() {
    if (!OverlayGameWindow()) return;
    PlaceGameOnTop(!GameIsTopmost());
    HWND window = Live();
    if (!window) return;
    InvalidateRect(window, nullptr, FALSE);
    topmostChecksLeft_ = kTopmostChecks;
    SetTimer(window, kTopmostCheckTimer, kTopmostCheckMs, nullptr);
}

void TimerWnd::OnTopmostCheck(HWND window) {
    const bool changed = GameIsTopmost() != paintedTopmost_;
    if (changed) InvalidateRect(window, nullptr, FALSE);
    if (changed || --topmostChecksLeft_ <= 0) KillTimer(window, kTopmostCheckTimer);
}

void TimerWnd::OnClick(UINT message, LPARAM lParam) {
    // The clock is the user-interface thread's: it is told of the click.
    if (message == WM_RBUTTONUP) {
        PostMail(kMailTimerClicked, 0);
        return;
    }
    if (message == WM_MBUTTONUP) {
        ToggleGameTopmost();
        return;
    }
    const TimerGeometry& g = geometry_;
    const RECT indicator = {g.indicatorLeft, g.indicatorTop, g.indicatorRight, g.indicatorBottom};
    const POINT at = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    // Anywhere else starts the clock from zero; the next tick shows it.
    if (PtInRect(&indicator, at)) ToggleGameTopmost();
    else PostMail(kMailTimerClicked, 1);
}

void TimerWnd::Reshape(HWND window) {
    const double scale = scale_;
    const TimerGeometry& g = geometry_;
    MemoryDC path(nullptr);
    if (!path) return;
    const int corner = Scaled(10, scale);
    BeginPath(path.Get());
    RoundRect(path.Get(), g.window.x, g.window.y, g.window.width - 2, g.window.height - 2, corner, corner);
    EndPath(path.Get());
    SetOverlayRegion(window, ScopedRegion(PathToRegion(path.Get())));
}

void TimerWnd::Draw(HDC dc, int width, int height) {
    const ClockFace face = face_;
    const double scale = scale_;
    const TimerGeometry& g = geometry_;
    DoubleBuffer buffer(surface_, dc, width, height);
    if (!buffer.Ok()) return;
    HDC memory = buffer.Dc();

    const RECT client = {0, 0, width, height};
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // Made again only when the scale changes: a paint a second needs no new font.
    const int fontHeight = Scaled(15, scale);
    if (!font_ || fontHeight_ != fontHeight) {
        font_.Reset(CreateFontW(fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_STROKE_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_ROMAN, L"굴림"));
        fontHeight_ = fontHeight;
    }
    {
        SelectScope selected(memory, font_.Get());
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, RGB(0, 0, 0));
        const std::wstring text = DisplayText(FormatClockFace(face));
        TextOutW(memory, Scaled(17, scale), Scaled(0, scale), text.c_str(), static_cast<int>(text.size()));
    }

    // Red while the game window stays on top of all others.
    paintedTopmost_ = GameIsTopmost();
    ScopedBrush brush(CreateSolidBrush(paintedTopmost_ ? RGB(255, 0, 0) : RGB(255, 255, 255)));
    {
        SelectScope selected(memory, brush.Get());
        Ellipse(memory, g.indicatorLeft, g.indicatorTop, g.indicatorRight, g.indicatorBottom);
    }
    buffer.CopyOut();
}

LRESULT TimerWnd::StateAnswer() const {
    return static_cast<LRESULT>(PackClockFace(face_) * 2 + (IsRunning() ? 1 : 0));
}

}  // namespace gkr
