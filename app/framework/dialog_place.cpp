#include "app/framework/dialog_place.h"

#include <algorithm>

namespace gkr {

bool WhollyInside(const ScreenBox& box, const ScreenBox& under) {
    return box.left >= under.left && box.top >= under.top && box.right <= under.right && box.bottom <= under.bottom;
}

std::optional<ScreenSpot> StraddlePlace(const ScreenBox& box, const ScreenBox& under, const ScreenBox& screen) {
    if (!WhollyInside(box, under)) return std::nullopt;
    const long width = box.right - box.left;
    const long height = box.bottom - box.top;
    const long x = std::clamp((under.left + under.right - width) / 2, screen.left, std::max(screen.left, screen.right - width));
    const long below = under.bottom - height / 2;
    if (below + height <= screen.bottom) return ScreenSpot{x, below};
    const long above = under.top - height / 2;
    if (above >= screen.top) return ScreenSpot{x, above};
    return std::nullopt;  // a window as tall as the screen: no edge to straddle
}

}  // namespace gkr
