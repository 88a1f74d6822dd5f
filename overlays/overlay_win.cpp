#include "overlays/overlay_win.h"

#include <windowsx.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <vector>

#include "app/framework/contract.h"
#include "app/framework/module_win.h"
#include "app/framework/seams.h"
#include "app/framework/singleton.h"
#include "app/framework/wine_win.h"
#include "app/game/game_window_win.h"
#include "app/screen/examined_pixels.h"
#include "overlays/caption_drag.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/overlay_messages.h"
#include "settings/published.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// Marks our top-level overlays with the game window they stand over, and
// whether each is meant to be shown: a minimised game hides them, and its
// restoring shows the wanted ones again.
const wchar_t kOverlayMark[] = L"GKROverlay";
const wchar_t kOverlayWanted[] = L"GKROverlayWanted";

// The one caption drag there can be (one pointer).
struct PanelDrag {
    HWND window = nullptr;
    CaptionDrag drag;
};

// The game window the overlays were last created over, and (top-level mode)
// the frame they are placed for, the overlays made and the panel's drag.
// Written by the overlay thread alone; read by the worker and the
// user-interface thread (the frame as a published value; the drag is the
// overlay thread's only).
class HeldGame : public Singleton<HeldGame> {
public:
    PanelDrag panelDrag;

    HWND Game() const { return window_.load(); }
    // Holds `game` from now on; false when it was held already.
    bool Hold(HWND game) { return window_.exchange(game) != game; }
    void Release() { window_ = nullptr; }

    GameFrame Frame() const { return *frame_.Snapshot(); }
    void Place(const GameFrame& frame) { frame_.Publish(frame); }
    // The next look at the game reads its whole frame (a raise is due).
    void RaiseDue() {
        GameFrame frame = Frame();
        frame.overlaysOnTop = false;
        Place(frame);
    }

    // The top-level overlays made (overlay thread), so that a look from
    // another thread can tell whether all the shown ones stand above the game.
    void Register(HWND overlay) {
        for (auto& slot : overlays_)
            if (!IsOwnWindow(slot.load())) {
                slot = overlay;
                return;
            }
    }
    bool IsRegistered(HWND window) const {
        for (const auto& slot : overlays_)
            if (slot.load() == window) return true;
        return false;
    }
    int ShownOverlays() const {
        int shown = 0;
        for (const auto& slot : overlays_) {
            HWND overlay = slot.load();
            shown += IsOwnWindow(overlay) && IsWindowVisible(overlay);
        }
        return shown;
    }

private:
    friend class Singleton<HeldGame>;
    HeldGame() = default;

    std::array<std::atomic<HWND>, 3> overlays_{};
    std::atomic<HWND> window_{nullptr};
    Published<GameFrame> frame_;
};

bool IsGameWindow(HWND window) {
    // The class is asked once per window: a handle names one window until it
    // is destroyed (a new window gets a new handle), so after that whether it
    // still exists is enough. The screen reading asks three times a second,
    // and under Wine each question is a call into the Wine server. Each
    // thread keeps its own answer.
    thread_local HWND checked = nullptr;
    if (!window || !IsWindow(window)) return false;
    if (checked == window) return true;
    wchar_t name[32] = {};
    if (!GetClassNameW(window, name, 32) || wcscmp(name, kGameWindowClass) != 0) return false;
    checked = window;
    return true;
}

bool TopLevel() { return ActiveOverlayMode() == OverlayMode::TopLevel; }

bool IsTopLevelOverlay(HWND window) { return GetPropW(window, kOverlayMark) != nullptr; }

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// This thread's top-level overlays.
std::vector<HWND> OwnTopLevelOverlays() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
            if (IsTopLevelOverlay(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

constexpr UINT kFollowFlags = SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
constexpr UINT kRaiseFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// Where an overlay goes in the z-order: right below the first window above
// the game that is no overlay, so right above the game; to the top when the
// game is at the top, which is also the only place where Wine's X11 driver
// restacks an unmanaged overlay's X window (a window shown or raised below
// another visible one keeps its old X stacking, and may stay drawn behind the
// game). Below a topmost window only when the game is topmost itself: placed
// after one, a window becomes topmost.
HWND InsertAfterForGame(HWND game) {
    const bool gameTopmost = IsTopmost(game);
    HWND after = GetWindow(game, GW_HWNDPREV);
    while (after && IsOwnWindow(after) && IsTopLevelOverlay(after)) after = GetWindow(after, GW_HWNDPREV);
    if (!after) return gameTopmost ? HWND_TOPMOST : HWND_TOP;
    return !gameTopmost && IsTopmost(after) ? HWND_TOP : after;
}

// Overlay thread: while the game is topmost the overlays are topmost and
// their own (Wine makes no window topmost that owns another process's
// pop-ups); otherwise the game owns them again, which keeps them with it
// in a window manager's stacking.
void FollowTopmost(HWND overlay, HWND game, bool topmost) {
    if (topmost) {
        SetWindowLongPtrW(overlay, GWLP_HWNDPARENT, 0);
        SetWindowPos(overlay, HWND_TOPMOST, 0, 0, 0, 0, kRaiseFlags);
        return;
    }
    SetWindowPos(overlay, HWND_NOTOPMOST, 0, 0, 0, 0, kRaiseFlags);
    SetWindowLongPtrW(overlay, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(game));
}

constexpr UINT_PTR kDragTimer = 0x6B44;
constexpr UINT kDragStepMs = 10;

bool LeftButtonHeld() {
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & 0x8000) != 0;
}

// Follows the pointer rather than the window's mouse messages: they go to
// whichever window is under the pointer, and a capture does not reach a
// window that was never activated. Measured from where the button went down
// (`pressed`, screen), not from where the pointer is when the press is read.
void StartCaptionDrag(HWND overlay, POINT pressed) {
    RECT r = {};
    if (!GetWindowRect(overlay, &r)) return;
    PanelDrag& panelDrag = HeldGame::Instance().panelDrag;
    panelDrag.window = overlay;
    panelDrag.drag.Start({pressed.x, pressed.y}, {r.left, r.top}, GetSystemMetrics(SM_CXDRAG),
                         GetSystemMetrics(SM_CYDRAG));
    if (!SetTimer(overlay, kDragTimer, kDragStepMs, nullptr)) panelDrag.drag.Cancel();
}

void FollowCaptionDrag(HWND overlay) {
    POINT cursor = {};
    const bool held = LeftButtonHeld();
    PanelDrag& panelDrag = HeldGame::Instance().panelDrag;
    if (panelDrag.window != overlay || !panelDrag.drag.Active() || !GetCursorPos(&cursor)) {
        KillTimer(overlay, kDragTimer);
        return;
    }
    const CaptionDrag::Step step = panelDrag.drag.Follow({cursor.x, cursor.y}, held);
    if (step.moveTo) SetWindowPos(overlay, nullptr, step.moveTo->x, step.moveTo->y, 0, 0, kFollowFlags | SWP_NOSIZE);
    if (!step.ended) return;
    KillTimer(overlay, kDragTimer);
    panelDrag.window = nullptr;
    if (step.moved) SendMessageW(overlay, kOverlayMovedByPlayerMessage, 0, 0);
}

// Overlay thread, top-level mode: shows the overlay (right above the game)
// if it is wanted and the game is shown, else hides it.
void ApplyWanted(HWND overlay) {
    const bool show = GetPropW(overlay, kOverlayWanted) != nullptr && PlacedGameFrame().shown;
    if (!show) {
        ShowWindow(overlay, SW_HIDE);
        return;
    }
    HWND game = HeldGame::Instance().Game();
    if (IsWindowVisible(overlay)) return;
    if (!game) ShowWindow(overlay, SW_SHOWNOACTIVATE);
    else SetWindowPos(overlay, InsertAfterForGame(game), 0, 0, 0, 0, kRaiseFlags | SWP_SHOWWINDOW);
    // Painted afresh: a window manager may map it again without telling Wine to draw it.
    RedrawWindow(overlay, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

}  // namespace

OverlayMode ActiveOverlayMode() {
    const int forced = Seams::Instance().overlayMode.load();
    if (forced >= 0) return static_cast<OverlayMode>(forced);
    // Decided once, by the first thread that asks; the same for every thread.
    static const OverlayMode chosen = ChooseOverlayMode(std::getenv(kOverlayModeVariable), RunningUnderWine());
    return chosen;
}

HWND OverlayGameWindow() {
    HWND held = HeldGame::Instance().Game();
    return IsGameWindow(held) ? held : FindGameWindow();
}

HWND FollowedGameWindow() { return HeldGame::Instance().Game(); }

GameFrame PlacedGameFrame() { return HeldGame::Instance().Frame(); }

GameFrame ReadGameFrame(HWND game) {
    GameFrame frame;
    if (!game) return frame;
    // No separate "is it a window?": the origin cannot be read from a window
    // that is gone, and each question is a Wine server round trip.
    const LONG style = GetWindowLongW(game, GWL_STYLE);
    POINT origin = {0, 0};
    if (!ClientToScreen(game, &origin)) return frame;
    frame.exists = true;
    frame.shown = (style & WS_VISIBLE) && !(style & WS_MINIMIZE);
    frame.originX = origin.x;
    frame.originY = origin.y;
    frame.topmost = IsTopmost(game);
    if (frame.shown) {
        // Every shown overlay right above the game, not just one of them. Each
        // step up is a Wine server round trip: the walk stops once all are
        // found, and knows our overlays by their handles.
        const HeldGame& held = HeldGame::Instance();
        const int shown = held.ShownOverlays();
        int above = 0;
        for (HWND w = shown ? GetWindow(game, GW_HWNDPREV) : nullptr; w && held.IsRegistered(w);) {
            if (++above >= shown) break;
            w = GetWindow(w, GW_HWNDPREV);
        }
        frame.overlaysOnTop = above >= shown;
    }
    return frame;
}

void FollowGameNow(HWND game, const GameFrame& now) {
    if (game != HeldGame::Instance().Game()) return;  // a job for a game the overlays left
    const GameFrame placed = PlacedGameFrame();
    const FollowPlan plan = PlanFollow(placed, now);
    if (plan.Nothing()) return;
    // The new frame first: the moves below then keep each overlay's client position.
    HeldGame::Instance().Place(FrameAfter(placed, now));
    HWND after = plan.raise ? InsertAfterForGame(game) : nullptr;
    for (HWND overlay : OwnTopLevelOverlays()) {
        if (plan.close) {
            DestroyWindow(overlay);
            continue;
        }
        if (plan.dx || plan.dy) {
            RECT r = {};
            GetWindowRect(overlay, &r);
            SetWindowPos(overlay, nullptr, r.left + plan.dx, r.top + plan.dy, 0, 0, kFollowFlags | SWP_NOSIZE);
        }
        if (plan.retop) FollowTopmost(overlay, game, plan.topmost);
        if (plan.hide || plan.show) ApplyWanted(overlay);
        if (plan.raise) SetWindowPos(overlay, after, 0, 0, 0, 0, kRaiseFlags);
    }
    if (plan.close) HeldGame::Instance().Release();
}

void PlaceGameOnTop(bool topmost) {
    const auto place = [topmost] {
        HWND game = OverlayGameWindow();
        if (!game) return;
        if (topmost && TopLevel())
            for (HWND overlay : OwnTopLevelOverlays()) SetWindowLongPtrW(overlay, GWLP_HWNDPARENT, 0);
        SetWindowPos(game, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS);
        if (TopLevel()) HeldGame::Instance().RaiseDue();  // the overlays follow at the next look
    };
    // Top-level overlays, and the frame they follow, are the overlay thread's to change.
    if (TopLevel()) OverlayThread::Instance().Post(place);
    else place();
}

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
    HWND game = OverlayGameWindow();
    if (!game) return nullptr;
    if (overlay.handle) overlay.Close();
    RegisterOverlayClass(look.className, overlay.DialogProc());
    if (!TopLevel()) {
        EnsureClipsChildren(game);
        HeldGame::Instance().Hold(game);
        overlay.handle = CreateWindowExW(look.exStyle, look.className, look.title, look.style, look.x, look.y,
                                         look.width, look.height, game, nullptr, ModuleInstance(), nullptr);
        return overlay.handle;
    }

    // Over another game window than before: overlays left over another one
    // go (the manager makes them again over this one), and the overlays start
    // from this window's frame.
    if (HeldGame::Instance().Hold(game)) {
        for (HWND old : OwnTopLevelOverlays()) DestroyWindow(old);
        // Made owned and not topmost: a topmost game is followed like any change.
        GameFrame frame = ReadGameFrame(game);
        frame.topmost = false;
        HeldGame::Instance().Place(frame);
    } else {
        FollowGameNow(game, ReadGameFrame(game));
    }
    const GameFrame frame = PlacedGameFrame();
    // A pop-up owned by the game: above it, never focused, no taskbar button;
    // never above other programs' windows. The system menu style hands it to
    // a window manager, which then stacks it with the game (an unmanaged one
    // would stay drawn over any window put over the game); its region keeps
    // it without the manager's frame.
    const DWORD style = (look.style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_SYSMENU;
    const DWORD exStyle = (look.exStyle & ~WS_EX_TOPMOST) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    HWND window = CreateWindowExW(exStyle, look.className, look.title, style, frame.originX + look.x,
                                  frame.originY + look.y, look.width, look.height, game, nullptr, ModuleInstance(),
                                  nullptr);
    overlay.handle = window;
    if (!window) return nullptr;
    SetPropW(window, kOverlayMark, reinterpret_cast<HANDLE>(game));
    HeldGame::Instance().Register(window);
    if (frame.topmost) FollowTopmost(window, game, true);
    if (look.style & WS_VISIBLE) ShowOverlayNow(window, true);
    return window;
}

void PlaceOverlayNow(HWND overlay, int x, int y, int width, int height, bool repaint) {
    if (!overlay) return;
    if (IsTopLevelOverlay(overlay)) {
        const GameFrame frame = PlacedGameFrame();
        x += frame.originX;
        y += frame.originY;
    }
    MoveWindow(overlay, x, y, width, height, repaint);
}

void ShowOverlayNow(HWND overlay, bool show) {
    if (!overlay) return;
    if (!TopLevel()) {
        ShowWindowAsync(overlay, show ? SW_SHOW : SW_HIDE);
        return;
    }
    if (!IsOwnWindow(overlay) || !IsTopLevelOverlay(overlay)) return;
    if (show) SetPropW(overlay, kOverlayWanted, reinterpret_cast<HANDLE>(1));
    else RemovePropW(overlay, kOverlayWanted);
    ApplyWanted(overlay);
}

void ShowOverlay(HWND overlay, bool show) {
    if (!overlay) return;
    if (!TopLevel()) {
        ShowWindowAsync(overlay, show ? SW_SHOW : SW_HIDE);
        return;
    }
    OverlayThread::Instance().Post([overlay, show] { ShowOverlayNow(overlay, show); });
}

void MoveOverlayNow(HWND overlay, int x, int y, int width, int height) {
    if (!overlay) return;
    if (!TopLevel()) {
        SetWindowPos(overlay, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        return;
    }
    if (IsOwnWindow(overlay)) PlaceOverlayNow(overlay, x, y, width, height, TRUE);
}

void MoveOverlay(HWND overlay, int x, int y, int width, int height) {
    if (!overlay) return;
    if (!TopLevel()) {
        MoveOverlayNow(overlay, x, y, width, height);
        return;
    }
    // On the overlay thread, where the follower moves them too: a move
    // computed against one frame never lands after the shift to the next.
    OverlayThread::Instance().Post([overlay, x, y, width, height] { MoveOverlayNow(overlay, x, y, width, height); });
}

void MoveOverlayToNow(HWND overlay, int x, int y) {
    if (!overlay) return;
    if (!TopLevel()) {
        SetWindowPos(overlay, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        return;
    }
    if (!IsOwnWindow(overlay)) return;
    const GameFrame frame = PlacedGameFrame();
    SetWindowPos(overlay, nullptr, frame.originX + x, frame.originY + y, 0, 0, kFollowFlags | SWP_NOSIZE);
}

void ResizeOverlay(HWND overlay, int width, int height) {
    if (overlay)
        SetWindowPos(overlay, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

bool TopLevelOverlayMessage(HWND overlay, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The mark is asked only for the messages it decides: under Wine a window
    // property lives in the Wine server, and a paint should not ask it.
    const bool ownerShows = message == WM_SHOWWINDOW && (lParam == SW_PARENTCLOSING || lParam == SW_PARENTOPENING);
    const UINT command = static_cast<UINT>(wParam & 0xFFF0);
    const bool placing = message == WM_SYSCOMMAND && command != SC_CLOSE;
    const bool caption = (message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK) && wParam == HTCAPTION;
    const bool menu = message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONUP || message == WM_CONTEXTMENU;
    const bool dragStep = message == WM_TIMER && wParam == kDragTimer;
    if (!(message == WM_MOUSEACTIVATE || ownerShows || placing || caption || menu || dragStep) ||
        !IsTopLevelOverlay(overlay))
        return false;
    result = 0;
    switch (message) {
    case WM_MOUSEACTIVATE:
        result = MA_NOACTIVATE;  // a click leaves the focus with the game
        break;
    case WM_NCLBUTTONDOWN:
        // Not the system's move, which would activate the panel.
        StartCaptionDrag(overlay, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_TIMER:
        FollowCaptionDrag(overlay);
        break;
    default:
        // The owner's showing, a window manager's minimise or restore of the
        // game's window group, a move or a menu: the follower alone places
        // and shows the overlays, so a switched-off panel stays hidden.
        break;
    }
    return true;
}

void KeepGameClipping(HWND overlay) {
    if (GetWindowLongW(overlay, GWL_STYLE) & WS_CHILD) EnsureClipsChildren(GetParent(overlay));
}

void DrawOverlay(HWND overlay, UINT message, WPARAM wParam, const OverlayDrawing& draw) {
    RECT client = {};
    GetClientRect(overlay, &client);
    if (message == WM_PRINTCLIENT) {
        draw(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
        return;
    }
    if (message == kRepaintOverlayMessage) {
        if (WindowDC dc(overlay); dc) draw(dc.Get(), client.right, client.bottom);
        return;
    }
    PaintScope paint(overlay);
    draw(paint.Dc(), client.right, client.bottom);
}

void RepaintOverlay(HWND overlay) {
    if (overlay) PostMessageW(overlay, kRepaintOverlayMessage, 0, 0);
}

void CloseOnOverlayThread(Window& overlay) {
    OverlayThread::Instance().Post([&overlay] { overlay.Close(); });
}

RECT OverlayRectInGame(HWND overlay) {
    RECT r = {};
    GetWindowRect(overlay, &r);
    if (IsTopLevelOverlay(overlay)) {
        const GameFrame frame = PlacedGameFrame();
        OffsetRect(&r, -frame.originX, -frame.originY);
        return r;
    }
    MapWindowPoints(nullptr, GetParent(overlay), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SetOverlayRegion(HWND overlay, ScopedRegion shape) {
    if (!overlay || !shape) return;
    const Settings& s = Settings::Instance();
    const RECT place = OverlayRectInGame(overlay);
    for (const ClientPoint& p :
         ExaminedPixelsInside(ClampOffset(s.OffsetX.load()), ClampOffset(s.OffsetY.load()), place.left, place.top,
                              place.right - place.left, place.bottom - place.top)) {
        ScopedRegion pixel(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
        if (pixel) CombineRgn(shape.Get(), shape.Get(), pixel.Get(), RGN_DIFF);
    }
    if (SetWindowRgn(overlay, shape.Get(), TRUE)) shape.Release();
}

}  // namespace gkr
