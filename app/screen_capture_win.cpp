#include "app/screen_capture_win.h"

#include <algorithm>

namespace gkr {

namespace {

// A memory DC holding a bitmap compatible with the display; the bitmap is
// selected out again before either is deleted.
class MemoryCapture {
public:
    MemoryCapture(HDC screenDC, int width, int height)
        : dc_(CreateCompatibleDC(screenDC)), bitmap_(CreateCompatibleBitmap(screenDC, width, height)) {
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryCapture() {
        if (old_) SelectObject(dc_, old_);
        if (dc_) DeleteDC(dc_);
        if (bitmap_) DeleteObject(bitmap_);
    }
    MemoryCapture(const MemoryCapture&) = delete;
    MemoryCapture& operator=(const MemoryCapture&) = delete;

    bool Ok() const { return old_ != nullptr; }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
};

bool HasPixelLayout(HBITMAP bitmap) {
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) == sizeof info && info.bmBitsPixel == 32;
}

}  // namespace

int CaptureScreenRect(HDC screenDC, int originX, int originY, int left, int top, int right, int bottom,
                      CaptureBuffer& buffer) {
    const int width = right - left + 1, height = bottom - top + 1;
    if (!screenDC || width <= 0 || height <= 0) return 0;

    MemoryCapture capture(screenDC, width, height);
    if (!capture.Ok() || !HasPixelLayout(capture.Bitmap())) return 0;
    if (!BitBlt(capture.Dc(), 0, 0, width, height, screenDC, originX + left, originY + top, SRCCOPY)) return 0;
    const LONG copied = GetBitmapBits(capture.Bitmap(), LONG(buffer.size()), buffer.data());
    return int(std::clamp<LONG>(copied, 0, LONG(buffer.size())));
}

PixelBlock CaptureBlock(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer) {
    const int copied =
        CaptureScreenRect(screenDC, origin.x, origin.y, rect.left, rect.top, rect.right, rect.bottom, buffer);
    return PixelBlock(buffer.data(), size_t(copied), rect.Width(), rect.Height());
}

}  // namespace gkr
