#include "overlays/energy_bar_plan.h"

namespace gkr {

namespace {

constexpr int32_t kSmallestShownMaxHealth = 50;

}  // namespace

EnergyBarPlan PlanEnergyBar(int32_t useEnergy, int32_t maxHealth, int32_t offsetX, int32_t offsetY,
                            const OverlayRect* current) {
    EnergyBarPlan plan;
    if (useEnergy == 0 || maxHealth < kSmallestShownMaxHealth) {
        plan.step = EnergyBarStep::Hide;
        return plan;
    }
    plan.target = EnergyBarRect(maxHealth, offsetX, offsetY);
    if (!current) plan.step = EnergyBarStep::Nothing;
    else if (*current == plan.target) plan.step = EnergyBarStep::Show;
    else plan.step = EnergyBarStep::MoveAndShow;
    return plan;
}

}  // namespace gkr
