// The pixels of the game window that the screen reading examines. Our own
// overlays lie inside the game window and would hide the game's pixels from
// the reading (the timer at its largest covers the health gauge's row), so
// each overlay leaves exactly these pixels out of its window region.
#pragma once

#include <cstdint>
#include <vector>

#include "app/screen/screen_pixels.h"

namespace gkr {

// All of them, relative to the capture origin.
const std::vector<ClientPoint>& ExaminedPixels();

// Those that fall inside a window whose top-left corner lies at (left, top)
// of the game's client area, `width` x `height` pixels, in that window's own
// coordinates; (originX, originY) is the capture origin in the same client
// coordinates (the user's offsets).
std::vector<ClientPoint> ExaminedPixelsInside(int32_t originX, int32_t originY, int32_t left, int32_t top,
                                              int32_t width, int32_t height);

}  // namespace gkr
