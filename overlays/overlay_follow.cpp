#include "overlays/overlay_follow.h"

namespace gkr {

FollowPlan PlanFollow(const GameFrame& placedFor, const GameFrame& now) {
    FollowPlan plan;
    if (!now.exists) {
        plan.close = placedFor.exists;
        return plan;
    }
    plan.retop = now.topmost != placedFor.topmost;
    plan.topmost = now.topmost;
    if (!now.shown) {
        plan.hide = placedFor.shown;
        return plan;
    }
    plan.dx = now.originX - placedFor.originX;
    plan.dy = now.originY - placedFor.originY;
    plan.show = !placedFor.shown;
    // Shown again, the game comes to the front: raised then, and once more a
    // pass later, since Wine may draw the overlays behind the game although
    // its window list has them above (when the game's restacking comes last).
    plan.raise = !now.overlaysOnTop || plan.show || !placedFor.overlaysOnTop || plan.retop;
    return plan;
}

bool FollowLook::NeedsFullLook(uintptr_t game, bool exists, const Glance& glance, bool raiseDue) {
    const bool same = game == game_ && exists == exists_ && glance == glance_;
    if (same && !raiseDue && --passesLeft_ > 0) return false;
    game_ = game;
    exists_ = exists;
    glance_ = glance;
    passesLeft_ = kPasses;
    return true;
}

GameFrame FrameAfter(const GameFrame& placedFor, const GameFrame& now) {
    if (!now.exists) return GameFrame{};
    if (!now.shown) {
        GameFrame hidden = placedFor;
        hidden.exists = true;
        hidden.shown = false;
        hidden.topmost = now.topmost;
        return hidden;
    }
    GameFrame placed = now;
    placed.overlaysOnTop = placedFor.shown;  // just shown again: one more raise is due
    return placed;
}

bool OverlaysAtANewPlace(const GameFrame& before, const GameFrame& after) {
    if (!after.exists || !after.shown) return false;
    return !before.shown || before.originX != after.originX || before.originY != after.originY;
}

}  // namespace gkr
