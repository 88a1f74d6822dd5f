// The quest timer overlay: a stopwatch inside the game window. The worker
// thread starts, stops, ticks, hides and shows it; each of these does nothing
// unless the timer is in use (UseTimer) and its window exists.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/singleton.h"
#include "app/window_win.h"

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
    void SetScale(double scale);
    bool IsRunning() const { return running_.load() != 0; }

private:
    friend class Singleton<TimerWnd>;
    TimerWnd() = default;

    bool Usable() const;  // UseTimer is on and the window exists

    std::atomic<int32_t> running_{0};
    std::atomic<int64_t> startCount_{0};
    double scale_ = 1.0;
};

}  // namespace gkr
