// The quest timer overlay: a stopwatch inside the game window. The worker
// thread starts, stops, ticks, hides and shows it; each of these does nothing
// unless the timer is in use (UseTimer) and its window exists. Its window
// lives on the overlay thread; nothing here waits on that thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
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

    void Start();  // runs from zero, also when already running
    void Stop();   // the display keeps its last value
    void Tick();   // advances the display while running; repaints when the second changes
    void Hide();   // visibility only; UseTimer stays as it is
    void Show();
    // Stores the scale (TimerSize / 100) and the geometry that follows from
    // it, and resizes the window if it exists. On the overlay thread.
    void SetScale(double scale);
    // Creates the overlay at the game window's top-left corner (replacing a
    // window it still holds) and shows it, whatever UseTimer says. NULL while
    // the game is not running; a window it still holds is then left alone.
    HWND Create();
    // Puts the game window on top of all others, or takes it off again.
    void ToggleGameTopmost();

    // Runs from `startCount` (a performance-counter value), as a click does.
    void Restart(int64_t startCount);
    bool IsRunning() const { return running_.load() != 0; }
    // The first counter value after `now` at which the running clock shows
    // another second; nothing while it stands.
    std::optional<int64_t> NextFaceChange(int64_t now) const;
    ClockFace Shown() const;
    TimerGeometry Geometry() const;

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

    // The face, scale and geometry are read by the paint on the overlay
    // thread and written by the worker (Tick) and the page (SetScale). The
    // lock guards only copies in and out: it is never held across a window call.
    mutable std::mutex lock_;
    ClockFace shown_;
    double scale_ = 1.0;
    TimerGeometry geometry_;

    std::atomic<int32_t> running_{0};
    std::atomic<int64_t> startCount_{0};
    std::atomic<HWND> gameWindow_{nullptr};  // the overlay's parent, as found at creation

    // Overlay thread only: the topmost state the indicator last showed, and
    // how many more times to look for the game taking a requested change.
    bool paintedTopmost_ = false;
    int topmostChecksLeft_ = 0;
    ScopedFont font_;  // the clock's font at fontHeight_ pixels
    PaintSurface surface_;
    int fontHeight_ = 0;
};

}  // namespace gkr
