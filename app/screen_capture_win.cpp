#include "app/screen_capture_win.h"

#include <algorithm>

namespace gkr {

namespace {

bool HasPixelLayout(HBITMAP bitmap) {
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) == sizeof info && info.bmBitsPixel == 32;
}

}  // namespace

int CaptureScreenRect(HDC screenDC, int originX, int originY, int left, int top, int right, int bottom,
                      CaptureBuffer& buffer) {
    const int width = right - left + 1, height = bottom - top + 1;
    if (!screenDC || width <= 0 || height <= 0) return 0;

    MemoryDC memory(screenDC);
    ScopedBitmap bitmap(CreateCompatibleBitmap(screenDC, width, height));
    SelectScope select(memory.Get(), bitmap.Get());
    if (!select.Ok() || !HasPixelLayout(bitmap.Get())) return 0;
    if (!BitBlt(memory.Get(), 0, 0, width, height, screenDC, originX + left, originY + top, SRCCOPY)) return 0;
    const LONG copied = GetBitmapBits(bitmap.Get(), LONG(buffer.size()), buffer.data());
    return int(std::clamp<LONG>(copied, 0, LONG(buffer.size())));
}

PixelBlock CaptureBlock(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer) {
    const int copied =
        CaptureScreenRect(screenDC, origin.x, origin.y, rect.left, rect.top, rect.right, rect.bottom, buffer);
    return PixelBlock(buffer.data(), size_t(copied), rect.Width(), rect.Height());
}

}  // namespace gkr
