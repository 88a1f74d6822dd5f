#include "app/game/game_window_win.h"

#include <gtest/gtest.h>

#include "app/framework/contract.h"
#include "tests/windows/painted_window.h"

namespace gkr {
namespace {

TEST(GameWindow, FoundByClassOnlyWhileItExists) {
    EXPECT_EQ(nullptr, FindGameWindow());
    EXPECT_EQ(nullptr, PrepareGameWindow());
    {
        test::PaintedWindow game(kGameWindowClass, POINT{0, 0}, SIZE{50, 40}, {});
        EXPECT_EQ(game.Handle(), FindGameWindow());
    }
    EXPECT_EQ(nullptr, FindGameWindow());
}

TEST(GameWindow, PrepareMakesTheGameClipItsChildren) {
    test::PaintedWindow game(kGameWindowClass, POINT{0, 0}, SIZE{50, 40}, {});
    ASSERT_FALSE(GetWindowLongW(game.Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    const LONG before = GetWindowLongW(game.Handle(), GWL_STYLE);

    EXPECT_EQ(game.Handle(), PrepareGameWindow());
    EXPECT_EQ(before | WS_CLIPCHILDREN, GetWindowLongW(game.Handle(), GWL_STYLE));
    EXPECT_EQ(game.Handle(), PrepareGameWindow());  // already set: unchanged
    EXPECT_EQ(before | WS_CLIPCHILDREN, GetWindowLongW(game.Handle(), GWL_STYLE));
}

}  // namespace
}  // namespace gkr
