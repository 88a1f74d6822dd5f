// The quest timer overlay: a stopwatch inside the game window. Its clock is
// the user-interface thread's, which starts and stops it (the hotkeys, a
// quest's start and end, the player's clicks, which the overlay thread posts
// it); the worker repaints the face when the shown second changes; the
// window, its scale and the face it shows are the overlay thread's. Nothing
// here waits on the overlay thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "app/framework/double_buffer_win.h"
#include "app/framework/scoped_win.h"
#include "app/framework/singleton.h"
#include "app/framework/window_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/timer_clock.h"

namespace gkr {

class TimerWnd : public Window, public Singleton<TimerWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The user-interface thread. The first four do nothing unless the timer
    // is in use (UseTimer) and its window exists.
    void Start();  // runs from zero, also when already running
    void Stop();   // the display keeps its last value
    void Hide();   // visibility only; UseTimer stays as it is
    void Show();
    // Runs from `startCount` (a performance-counter value), as a click does.
    void Restart(int64_t startCount);
    void StopClock();  // as a right click does

    // Any thread.
    bool IsRunning() const { return since_.load() != kStopped; }
    // The first counter value after `now` at which the running clock shows
    // another second; nothing while it stands.
    std::optional<int64_t> NextFaceChange(int64_t now) const;

    // The worker: while the clock runs, hands the overlay the face when the
    // shown second changes.
    void Tick();

    // The overlay thread.
    // Stores the scale (TimerSize / 100) and the geometry that follows from
    // it, and resizes the window if it exists.
    void SetScale(double scale);
    // Creates the overlay at the game window's top-left corner (replacing a
    // window it still holds) and shows it, whatever UseTimer says. NULL while
    // the game is not running; a window it still holds is then left alone.
    HWND Create();
    // Puts the game window on top of all others, or takes it off again.
    void ToggleGameTopmost();
    ClockFace Shown() const { return face_; }  // the face last handed over
    TimerGeometry Geometry() const { return geometry_; }

    // The overlay's picture for a client area of width x height: the time on
    // white and the topmost indicator, double-buffered onto dc. WM_PAINT and
    // WM_PRINTCLIENT both draw through it.
    void Draw(HDC dc, int width, int height);

private:
    friend class Singleton<TimerWnd>;
    TimerWnd();

    HWND UsableWindow() const;  // the window, while UseTimer is on and it exists
    bool GameIsTopmost() const;
    void Reshape(HWND window);  // the rounded window region
    void OnClick(UINT message, LPARAM lParam);
    void OnTopmostCheck(HWND window);
    LRESULT StateAnswer() const;

    // The clock: the counter value it runs from, or kStopped. Written by the
    // user-interface thread alone; read by every thread.
    static constexpr int64_t kStopped = INT64_MIN;
    std::atomic<int64_t> since_{kStopped};

    // The face last handed to the overlay: written and read by the worker alone.
    ClockFace postedFace_;

    // Written and read by the overlay thread alone: the face it was last
    // handed (kRepaintOverlayMessage), the scale and geometry, the game window
    // found at creation, the topmost state the indicator last showed, and how
    // many more times to look for the game taking a requested change.
    ClockFace face_;
    double scale_ = 1.0;
    TimerGeometry geometry_;
    HWND gameWindow_ = nullptr;
    bool paintedTopmost_ = false;
    int topmostChecksLeft_ = 0;
    ScopedFont font_;  // the clock's font at fontHeight_ pixels
    PaintSurface surface_;
    int fontHeight_ = 0;
};

}  // namespace gkr
