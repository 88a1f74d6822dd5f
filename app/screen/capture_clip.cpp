#include "app/screen/capture_clip.h"

#include <algorithm>

namespace gkr {

CaptureClip ClipToScreen(int64_t screenX, int64_t screenY, int width, int height, const ScreenArea& screen) {
    CaptureClip clip;
    if (width <= 0 || height <= 0) return clip;
    if (screen.width <= 0 || screen.height <= 0) {
        // No screen size known: the whole block is tried, as before any clipping.
        clip.width = width;
        clip.height = height;
        return clip;
    }
    const int64_t left = std::max<int64_t>(screenX, screen.left);
    const int64_t top = std::max<int64_t>(screenY, screen.top);
    const int64_t right = std::min<int64_t>(screenX + width, int64_t{screen.left} + screen.width);
    const int64_t bottom = std::min<int64_t>(screenY + height, int64_t{screen.top} + screen.height);
    if (left >= right || top >= bottom) return clip;
    clip.x = int(left - screenX);
    clip.y = int(top - screenY);
    clip.width = int(right - left);
    clip.height = int(bottom - top);
    return clip;
}

void FillOffScreen(uint8_t* bytes, size_t validBytes, int width, int height, const CaptureClip& clip) {
    if (!bytes || width <= 0 || height <= 0 || clip.Whole(width, height)) return;
    const size_t pixels = validBytes / kBytesPerPixel;
    for (int y = 0; y < height; ++y) {
        const bool rowOnScreen = !clip.Empty() && y >= clip.y && y < clip.y + clip.height;
        for (int x = 0; x < width; ++x) {
            const size_t index = size_t(y) * size_t(width) + size_t(x);
            if (index >= pixels) return;
            if (rowOnScreen && x >= clip.x && x < clip.x + clip.width) continue;
            uint8_t* p = bytes + index * kBytesPerPixel;
            p[0] = kOffScreen.b, p[1] = kOffScreen.g, p[2] = kOffScreen.r, p[3] = kOffScreen.x;
        }
    }
}

}  // namespace gkr
