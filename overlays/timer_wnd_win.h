// The quest timer overlay: a stopwatch inside the game window. The worker
// thread starts, stops, ticks, hides and shows it; each of these does nothing
// unless the timer is in use (UseTimer) and its window exists.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/singleton.h"
#include "app/window_win.h"
#include "overlays/overlay_geometry.h"

namespace gkr {

class TimerWnd : public Window, public Singleton<TimerWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void Start();  // runs from zero, also when already running
    void Stop();   // the display keeps its last value
    void Tick();   // advances the display while running
    void Hide();   // visibility only; UseTimer stays as it is
    void Show();
    // Stores the scale (TimerSize / 100) and the geometry that follows from
    // it, and resizes the window if it exists.
    void SetScale(double scale);
    // Creates the overlay at the game window's top-left corner (replacing a
    // window it still holds) and shows it, whatever UseTimer says. NULL while
    // the game is not running; a window it still holds is then left alone.
    HWND Create();
    bool IsRunning() const { return running_.load() != 0; }

private:
    friend class Singleton<TimerWnd>;
    TimerWnd() = default;

    bool Usable() const;  // UseTimer is on and the window exists

    std::atomic<int32_t> running_{0};
    std::atomic<int64_t> startCount_{0};
    double scale_ = 1.0;
    TimerGeometry geometry_ = ComputeTimerGeometry(1.0);
    HWND gameWindow_ = nullptr;  // the overlay's parent, as found at creation
};

}  // namespace gkr
