// A block of pixels copied from the display, and the few colour tests that the
// screen reading needs. Pure data: no platform calls, so it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gkr {

// The capture buffer never holds more than this: a wider rectangle is cut off.
constexpr size_t kCaptureBufferBytes = 23040;
constexpr size_t kBytesPerPixel = 4;

// 0x00BBGGRR, as Windows' COLORREF: black is 0, white 0xFFFFFF.
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

// A rectangle of the game's client area, both corners inclusive.
struct CaptureRect {
    int left, top, right, bottom;
    constexpr int Width() const { return right - left + 1; }
    constexpr int Height() const { return bottom - top + 1; }
};

// A point of the game's client area, relative to the capture origin.
struct ClientPoint {
    int x, y;
    bool operator==(const ClientPoint& o) const { return x == o.x && y == o.y; }
};

// One pixel as stored in a capture: blue, green, red and an unused byte.
struct Pixel {
    uint8_t b = 0, g = 0, r = 0, x = 0;

    uint32_t ToColorRef() const { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }
    bool SameBits(const Pixel& o) const { return b == o.b && g == o.g && r == o.r && x == o.x; }
};

// Rows top-down, each row left to right, no gap between rows. Only the first
// `validBytes` bytes hold captured pixels: the capture may have been cut off
// or may have failed, and nothing past that point is ever read.
class PixelBlock {
public:
    PixelBlock() = default;
    PixelBlock(const uint8_t* bytes, size_t validBytes, int width, int height)
        : bytes_(bytes), validBytes_(bytes ? validBytes : 0), width_(width), height_(height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    // False for a point outside the rectangle or past the captured bytes.
    bool Has(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
        size_t index = size_t(y) * size_t(width_) + size_t(x);
        return index < validBytes_ / kBytesPerPixel;
    }

    // The pixel at (x, y); call only where Has(x, y) holds.
    Pixel At(int x, int y) const {
        const uint8_t* p = bytes_ + (size_t(y) * size_t(width_) + size_t(x)) * kBytesPerPixel;
        return Pixel{p[0], p[1], p[2], p[3]};
    }

    // A point that was not captured is neither black nor white: it says nothing.
    bool IsColor(int x, int y, uint32_t colorRef) const { return Has(x, y) && At(x, y).ToColorRef() == colorRef; }
    bool IsBlack(int x, int y) const { return IsColor(x, y, kBlack); }
    bool IsWhite(int x, int y) const { return IsColor(x, y, kWhite); }

private:
    const uint8_t* bytes_ = nullptr;
    size_t validBytes_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace gkr
