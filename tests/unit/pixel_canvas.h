// A block of captured pixels built by hand, laid out as the display capture
// lays them out (B, G, R, X bytes, rows top-down), for the screen-reading tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/screen/screen_pixels.h"

namespace gkr::test {

struct Rgb {
    uint8_t r, g, b;
};

class PixelCanvas {
public:
    PixelCanvas(int width, int height, Rgb fill = {90, 90, 90})
        : width_(width), height_(height), bytes_(size_t(width) * size_t(height) * kBytesPerPixel) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) Set(x, y, fill);
    }

    void Set(int x, int y, Rgb c, uint8_t unused = 0) {
        uint8_t* p = &bytes_[(size_t(y) * size_t(width_) + size_t(x)) * kBytesPerPixel];
        p[0] = c.b, p[1] = c.g, p[2] = c.r, p[3] = unused;
    }

    // The whole canvas as captured.
    PixelBlock Block() const { return PixelBlock(bytes_.data(), bytes_.size(), width_, height_); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint8_t* Data() { return bytes_.data(); }
    size_t Size() const { return bytes_.size(); }

    // As a capture that stopped after `validBytes`: the rest must never be read.
    PixelBlock CutBlock(size_t validBytes) const { return PixelBlock(bytes_.data(), validBytes, width_, height_); }

private:
    int width_, height_;
    std::vector<uint8_t> bytes_;
};

constexpr Rgb kBlackRgb{0, 0, 0};
constexpr Rgb kWhiteRgb{255, 255, 255};

}  // namespace gkr::test
