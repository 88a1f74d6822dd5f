// Where a dialog or message box goes when it would lie wholly inside another
// of our windows. Under Wine (8, on both Xvfb and Xorg) such a window shows
// black although it is painted, while one that sticks out of the window below
// it shows whole; so it is moved to straddle that window's edge.
#pragma once

#include <optional>

namespace gkr {

struct ScreenBox {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

struct ScreenSpot {
    long x = 0;
    long y = 0;
};

bool WhollyInside(const ScreenBox& box, const ScreenBox& under);

// The top-left corner for `box`, centred on `under` across its bottom edge,
// or across its top edge when the bottom one would put it past the screen's
// foot; nothing when `box` is not wholly inside `under` (it shows as it is)
// or when neither edge leaves room on the screen.
std::optional<ScreenSpot> StraddlePlace(const ScreenBox& box, const ScreenBox& under, const ScreenBox& screen);

}  // namespace gkr
