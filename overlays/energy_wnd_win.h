// The energy bar overlay: a strip over the game's health gauge, inside the
// game window. Painted by its own part of the program.
#pragma once

#include "app/singleton.h"
#include "app/window_win.h"

namespace gkr {

class EnergyWnd : public Window, public Singleton<EnergyWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Creates the overlay inside the game window over the health gauge
    // (replacing a window it still holds) and shows it. NULL, changing
    // nothing, while the game is not running.
    HWND Create();

private:
    friend class Singleton<EnergyWnd>;
    EnergyWnd() = default;

    // Cuts the window down to the strip along the gauge's top edge and the
    // tick at its 40 % point, so it never hides the gauge row that the game
    // watch reads from the screen.
    void ShapeToGauge(HWND window);

    HRGN region_ = nullptr;  // owned by the window once set
};

}  // namespace gkr
