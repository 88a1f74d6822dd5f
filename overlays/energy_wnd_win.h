// The energy bar overlay: a strip over the game's health gauge, inside the
// game window. Created, shaped and painted by its own part of the program.
#pragma once

#include "app/singleton.h"
#include "app/window_win.h"

namespace gkr {

class EnergyWnd : public Window, public Singleton<EnergyWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Singleton<EnergyWnd>;
    EnergyWnd() = default;
};

}  // namespace gkr
