// Where the energy bar goes after its page synchronised: the rule of the
// placement step, apart from the window calls that carry it out.
#pragma once

#include <cstdint>

#include "overlays/overlay_geometry.h"

namespace gkr {

enum class EnergyBarStep {
    Hide,         // switched off, or no gauge with a usable maximum on screen
    Show,         // already in place
    MoveAndShow,  // move to `target`, repaint, show
    Nothing,      // it should be shown, but there is no window to place
};

struct EnergyBarPlan {
    EnergyBarStep step = EnergyBarStep::Nothing;
    OverlayRect target;
};

// The bar is shown only while the gauge shows a maximum of 50 or more; it is
// moved only when its target rectangle differs from where it stands, so a
// stable gauge costs no repainting. `current` is null when no window exists.
EnergyBarPlan PlanEnergyBar(int32_t useEnergy, int32_t maxHealth, int32_t offsetX, int32_t offsetY,
                            const OverlayRect* current);

}  // namespace gkr
