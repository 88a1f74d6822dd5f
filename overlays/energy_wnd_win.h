// The energy bar overlay: a strip over the game's health gauge, inside the
// game window, yellow up to 40 % of its length and green beyond, with a
// yellow tick hanging from the 40 % point. Its window lives on the overlay
// thread.
#pragma once

#include <cstdint>

#include "app/framework/double_buffer_win.h"
#include "app/framework/singleton.h"
#include "app/framework/window_win.h"

namespace gkr {

class EnergyWnd : public Window, public Singleton<EnergyWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The user-interface thread: hands the overlay thread the bar's place for
    // these settings (shown, hidden, or moved and shown).
    void Place(int32_t useEnergy, int32_t maxHealth, int32_t offsetX, int32_t offsetY);

    // The overlay thread.
    // Creates the overlay inside the game window over the health gauge
    // (replacing a window it still holds) and shows it. NULL, changing
    // nothing, while the game is not running.
    HWND Create();

    // The bar's picture for a client area of width x height, double-buffered
    // onto dc. WM_PAINT and WM_PRINTCLIENT both draw through it.
    void Draw(HDC dc, int width, int height);

private:
    friend class Singleton<EnergyWnd>;
    EnergyWnd() = default;

    void PlaceNow(int32_t useEnergy, int32_t maxHealth, int32_t offsetX, int32_t offsetY);
    // Cuts the window down to the strip along the gauge's top edge and the
    // tick at its 40 % point.
    static void ShapeToGauge(HWND window);

    PaintSurface surface_;  // written and read by the overlay thread alone
};

}  // namespace gkr
