#include "overlays/overlay_follow.h"
#include "overlays/overlay_mode.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

TEST(OverlayMode, TopLevelUnderWineUnlessForced) {
    EXPECT_EQ(OverlayMode::TopLevel, ChooseOverlayMode(nullptr, true));
    EXPECT_EQ(OverlayMode::Child, ChooseOverlayMode(nullptr, false));
    EXPECT_EQ(OverlayMode::Child, ChooseOverlayMode("child", true));
    EXPECT_EQ(OverlayMode::TopLevel, ChooseOverlayMode("top-level", false));
    for (const char* unknown : {"", "Child", "toplevel", "child "}) {
        EXPECT_EQ(OverlayMode::TopLevel, ChooseOverlayMode(unknown, true)) << unknown;
        EXPECT_EQ(OverlayMode::Child, ChooseOverlayMode(unknown, false)) << unknown;
    }
}

GameFrame Shown(int32_t x, int32_t y) { return GameFrame{true, true, x, y}; }
GameFrame Minimised(int32_t x, int32_t y) { return GameFrame{true, false, x, y}; }

TEST(OverlayFollow, MovesShiftHidingWaitsAndAClosedGameTakesTheOverlays) {
    EXPECT_TRUE(PlanFollow(Shown(10, 20), Shown(10, 20)).Nothing()) << "a game that stands still costs nothing";

    const FollowPlan moved = PlanFollow(Shown(10, 20), Shown(-40, 95));
    EXPECT_EQ(-50, moved.dx);
    EXPECT_EQ(75, moved.dy);
    EXPECT_FALSE(moved.hide || moved.show || moved.close);
    EXPECT_EQ(Shown(-40, 95), FrameAfter(Shown(10, 20), Shown(-40, 95)));

    // Minimised somewhere else: hidden where they are; the origin of the
    // minimised window is not taken for the client's.
    const FollowPlan minimised = PlanFollow(Shown(10, 20), Minimised(-32000, -32000));
    EXPECT_TRUE(minimised.hide);
    EXPECT_EQ(0, minimised.dx);
    EXPECT_EQ(0, minimised.dy);
    const GameFrame hidden = FrameAfter(Shown(10, 20), Minimised(-32000, -32000));
    EXPECT_EQ(Minimised(10, 20), hidden);
    EXPECT_TRUE(PlanFollow(hidden, Minimised(-32000, -32000)).Nothing()) << "no repeat while it stays minimised";

    // Restored at another place: shifted from where they were placed, and shown.
    const FollowPlan restored = PlanFollow(hidden, Shown(110, 20));
    EXPECT_TRUE(restored.show);
    EXPECT_TRUE(restored.raise) << "the restored game comes to the front";
    const GameFrame settling = FrameAfter(hidden, Shown(110, 20));
    const FollowPlan again = PlanFollow(settling, Shown(110, 20));
    EXPECT_TRUE(again.raise) << "once more, a pass later";
    EXPECT_FALSE(again.show || again.dx);
    EXPECT_TRUE(PlanFollow(FrameAfter(settling, Shown(110, 20)), Shown(110, 20)).Nothing());
    EXPECT_EQ(100, restored.dx);
    EXPECT_EQ(0, restored.dy);

    // Brought to the front above its overlays: they are raised, nothing else.
    GameFrame covering = Shown(110, 20);
    covering.overlaysOnTop = false;
    const FollowPlan raised = PlanFollow(Shown(110, 20), covering);
    EXPECT_TRUE(raised.raise);
    EXPECT_FALSE(raised.show || raised.hide || raised.close || raised.dx || raised.dy);
    EXPECT_EQ(Shown(110, 20), FrameAfter(Shown(110, 20), covering));

    const FollowPlan closed = PlanFollow(Shown(10, 20), GameFrame{});
    EXPECT_TRUE(closed.close);
    EXPECT_EQ(GameFrame{}, FrameAfter(Shown(10, 20), GameFrame{}));
    EXPECT_TRUE(PlanFollow(GameFrame{}, GameFrame{}).Nothing()) << "closed once";
}

TEST(OverlayFollow, TheOverlaysTakeTheGamesTopmostStateAndStayAboveIt) {
    GameFrame topmost = Shown(10, 20);
    topmost.topmost = true;
    const FollowPlan up = PlanFollow(Shown(10, 20), topmost);
    EXPECT_TRUE(up.retop && up.topmost && up.raise);
    EXPECT_FALSE(up.show || up.hide || up.dx);
    EXPECT_TRUE(PlanFollow(FrameAfter(Shown(10, 20), topmost), topmost).Nothing());

    const FollowPlan down = PlanFollow(topmost, Shown(10, 20));
    EXPECT_TRUE(down.retop && down.raise);
    EXPECT_FALSE(down.topmost);

    // Made topmost while minimised: the overlays follow at once, and stay hidden.
    GameFrame minimisedTopmost = Minimised(10, 20);
    minimisedTopmost.topmost = true;
    const FollowPlan hidden = PlanFollow(Minimised(10, 20), minimisedTopmost);
    EXPECT_TRUE(hidden.retop && hidden.topmost);
    EXPECT_FALSE(hidden.show || hidden.raise);
    EXPECT_TRUE(FrameAfter(Minimised(10, 20), minimisedTopmost).topmost);
}

TEST(OverlayFollow, AMoveOrAShowCallsForAReadingAtOnceAHideARaiseOrACloseDoNot) {
    GameFrame covering = Shown(10, 20);
    covering.overlaysOnTop = false;
    EXPECT_TRUE(OverlaysAtANewPlace(Shown(10, 20), Shown(-40, 95)));
    EXPECT_TRUE(OverlaysAtANewPlace(Minimised(10, 20), Shown(10, 20)));
    EXPECT_FALSE(OverlaysAtANewPlace(Shown(10, 20), Shown(10, 20)));
    EXPECT_FALSE(OverlaysAtANewPlace(covering, Shown(10, 20)));
    EXPECT_FALSE(OverlaysAtANewPlace(Shown(10, 20), Minimised(-32000, -32000)));
    EXPECT_FALSE(OverlaysAtANewPlace(Shown(10, 20), GameFrame{}));
}

TEST(OverlayFollow, TheWholeFrameIsReadOnlyOnAChangeOrOnceInAWhile) {
    FollowLook look;
    const FollowLook::Glance at{10, 20, 970, 788}, moved{60, 20, 1020, 788}, minimised{-32000, -32000, -31840, -31973};
    EXPECT_TRUE(look.NeedsFullLook(1, true, at, false)) << "the first pass";
    int quiet = 0;
    while (!look.NeedsFullLook(1, true, at, false)) ++quiet;
    EXPECT_EQ(FollowLook::kPasses - 1, quiet) << "a still game: once every few passes";
    EXPECT_TRUE(look.NeedsFullLook(1, true, moved, false));
    EXPECT_FALSE(look.NeedsFullLook(1, true, moved, false));
    EXPECT_TRUE(look.NeedsFullLook(1, true, minimised, false));
    EXPECT_TRUE(look.NeedsFullLook(1, true, moved, true)) << "a raise is due";
    EXPECT_TRUE(look.NeedsFullLook(2, true, moved, false)) << "another game window";
    EXPECT_TRUE(look.NeedsFullLook(2, false, moved, false)) << "gone";
}

}  // namespace
}  // namespace gkr
