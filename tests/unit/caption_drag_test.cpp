#include "overlays/caption_drag.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

TEST(CaptionDrag, TheWindowFollowsThePointerFromWhereItWasPressed) {
    CaptionDrag drag;
    drag.Start({500, 300}, {400, 290}, 4, 4);
    EXPECT_FALSE(drag.Follow({503, 297}, true).moveTo) << "within the slop: nothing moves yet";
    const CaptionDrag::Step first = drag.Follow({520, 330}, true);
    ASSERT_TRUE(first.moveTo);
    EXPECT_EQ((DragPoint{420, 320}), *first.moveTo);
    EXPECT_FALSE(drag.Follow({520, 330}, true).moveTo) << "no move where it stands";
    const CaptionDrag::Step back = drag.Follow({502, 301}, true);
    ASSERT_TRUE(back.moveTo) << "once moving, back inside the slop is a move too";
    EXPECT_EQ((DragPoint{402, 291}), *back.moveTo);

    const CaptionDrag::Step end = drag.Follow({350, 100}, false);
    EXPECT_TRUE(end.ended && end.moved);
    ASSERT_TRUE(end.moveTo) << "the release's own position counts";
    EXPECT_EQ((DragPoint{250, 90}), *end.moveTo);
    EXPECT_FALSE(drag.Active());
    EXPECT_FALSE(drag.Follow({0, 0}, true).moveTo) << "over: later pointer moves change nothing";
}

TEST(CaptionDrag, AClickWithoutADragMovesNothing) {
    for (const DragPoint release : {DragPoint{500, 300}, DragPoint{502, 298}}) {
        CaptionDrag drag;
        drag.Start({500, 300}, {400, 290}, 4, 4);
        const CaptionDrag::Step step = drag.Follow(release, false);
        EXPECT_TRUE(step.ended);
        EXPECT_FALSE(step.moved || step.moveTo) << release.x << "," << release.y;
    }
    // Dragged away and back to where it started: released in place, nothing to keep.
    CaptionDrag drag;
    drag.Start({500, 300}, {400, 290}, 4, 4);
    ASSERT_TRUE(drag.Follow({600, 300}, true).moveTo);
    const CaptionDrag::Step home = drag.Follow({500, 300}, false);
    EXPECT_TRUE(home.ended);
    EXPECT_FALSE(home.moved);
}

}  // namespace
}  // namespace gkr
