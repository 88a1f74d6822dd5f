// Copies small rectangles of the display into 32-bit pixel blocks. The game's
// pixels are read from the display, not from its window's DC, which need not
// hold what a full-screen game draws.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "app/screen/screen_pixels.h"
#include "app/framework/scoped_win.h"

namespace gkr {

using CaptureBuffer = std::array<uint8_t, kCaptureBufferBytes>;

// Copies the screen pixels from (originX + left, originY + top) to
// (originX + right, originY + bottom) into `buffer`: rows top-down, B, G, R, X
// bytes per pixel, cut off after kCaptureBufferBytes. Pixels off the virtual
// screen read as kOffScreen (capture_clip.h). Returns the number of bytes
// copied: 0 for an empty rectangle, a failed copy, or a display that does not
// run with 32 bits per pixel (whose bytes would be misread).
int CaptureScreenRect(HDC screenDC, int originX, int originY, int left, int top, int right, int bottom,
                      CaptureBuffer& buffer);

// CaptureScreenRect of `rect`, seen as a block of its width and height.
PixelBlock CaptureBlock(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer);

// Captures of one rectangle, pass after pass: the memory DC and the bitmap
// are kept while the rectangle's size stays, since making them costs several
// times the copy itself. The same rules as CaptureScreenRect.
class KeptCapture {
public:
    PixelBlock Capture(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer);

private:
    bool Fit(HDC screenDC, int width, int height);

    std::unique_ptr<MemoryDC> memory_;
    ScopedBitmap bitmap_;
    std::unique_ptr<SelectScope> select_;  // last: released before the bitmap and the DC
    int width_ = 0, height_ = 0;
};

}  // namespace gkr
