#include "app/framework/dialog_place.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

const ScreenBox kScreen{0, 0, 1280, 1024};
const ScreenBox kManager{443, 317, 836, 706};  // the manager dialog, centred on the screen

TEST(StraddlePlace, OnlyABoxWhollyInsideMoves) {
    EXPECT_FALSE(StraddlePlace({100, 100, 300, 200}, kManager, kScreen));  // beside
    EXPECT_FALSE(StraddlePlace({400, 400, 600, 500}, kManager, kScreen));  // sticking out on the left
    EXPECT_FALSE(StraddlePlace({500, 650, 700, 750}, kManager, kScreen));  // sticking out below
    EXPECT_TRUE(StraddlePlace({478, 457, 801, 567}, kManager, kScreen));   // the capture dialog's own place
    EXPECT_TRUE(StraddlePlace(kManager, kManager, kScreen));               // edge to edge counts as inside
}

TEST(StraddlePlace, CentredAcrossTheBottomEdgeOrElseTheTop) {
    const auto below = StraddlePlace({478, 457, 801, 567}, kManager, kScreen);
    ASSERT_TRUE(below);
    EXPECT_EQ(478, below->x);
    EXPECT_EQ(706 - 55, below->y);  // half of the 110 rows out of the manager

    const ScreenBox low{443, 600, 836, 1000};
    const auto above = StraddlePlace({500, 700, 700, 800}, low, kScreen);
    ASSERT_TRUE(above);
    EXPECT_EQ(539, above->x);
    EXPECT_EQ(600 - 50, above->y);
}

TEST(StraddlePlace, StaysOnTheScreen) {
    // A window as tall as the screen leaves no edge to straddle: the box stays.
    EXPECT_FALSE(StraddlePlace({500, 400, 700, 500}, kScreen, kScreen));
    // A window hanging off the screen's left: the box is pulled back onto it.
    const auto left = StraddlePlace({-50, 300, 150, 400}, {-400, 200, 200, 600}, kScreen);
    ASSERT_TRUE(left);
    EXPECT_EQ(0, left->x);
    EXPECT_EQ(550, left->y);
}

}  // namespace
}  // namespace gkr
