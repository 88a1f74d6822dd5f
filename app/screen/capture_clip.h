// The part of a capture rectangle that lies on the screen. A copy from the
// screen whose source leaves it fails whole under Wine (Windows copies what is
// on screen), so only that part is copied and the rest reads as kOffScreen.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/screen/screen_pixels.h"

namespace gkr {

// The virtual screen: every monitor's area, in screen coordinates.
struct ScreenArea {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

// Grey: not black, not white, no gauge edge (green under twice the red) and
// no note colour, so a pixel off the screen never reads as the game's.
constexpr Pixel kOffScreen{128, 128, 128, 0};

// The on-screen part of a block `width` x `height` whose top-left pixel lies
// at screen (screenX, screenY), in the block's own coordinates.
struct CaptureClip {
    int x = 0, y = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    bool Whole(int blockWidth, int blockHeight) const {
        return x == 0 && y == 0 && width == blockWidth && height == blockHeight;
    }
};

// An empty `screen` (its size could not be read) clips nothing. 64-bit
// corners: the origin comes from another process's window plus the user's
// offsets, and may lie anywhere.
CaptureClip ClipToScreen(int64_t screenX, int64_t screenY, int width, int height, const ScreenArea& screen);

// Sets every pixel of the block outside `clip` to kOffScreen, within the
// first `validBytes` bytes (rows top-down, no gap between rows).
void FillOffScreen(uint8_t* bytes, size_t validBytes, int width, int height, const CaptureClip& clip);

}  // namespace gkr
