// The song-sheet overlay: lists the playable songs inside the game window and
// counts down the effects of the songs the player plays.
#pragma once

#include <cstdint>

#include "app/singleton.h"
#include "app/window_win.h"

namespace gkr {

class FluteWnd : public Window, public Singleton<FluteWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The notes now shown in the game's note panel: up to four values, then 0.
    void OnNotes(const int32_t notes[5]);
    // Puts every effect timer back to idle.
    void Reset();
    // Creates the panel inside the game window at the stored position (kept
    // inside the client area and written back), replacing a window it still
    // holds. NULL, changing nothing, while the game is not running.
    HWND Create();

private:
    friend class Singleton<FluteWnd>;
    FluteWnd() = default;
};

}  // namespace gkr
