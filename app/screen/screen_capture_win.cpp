#include "app/screen/screen_capture_win.h"

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

bool KeptCapture::Fit(HDC screenDC, int width, int height) {
    if (select_ && width == width_ && height == height_) return true;
    select_.reset();
    bitmap_.Reset();
    memory_ = std::make_unique<MemoryDC>(screenDC);
    bitmap_.Reset(CreateCompatibleBitmap(screenDC, width, height));
    select_ = std::make_unique<SelectScope>(memory_->Get(), bitmap_.Get());
    if (!select_->Ok() || !HasPixelLayout(bitmap_.Get())) {
        select_.reset();
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

PixelBlock KeptCapture::Capture(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer) {
    const int width = rect.Width(), height = rect.Height();
    int copied = 0;
    if (screenDC && width > 0 && height > 0 && Fit(screenDC, width, height) &&
        BitBlt(memory_->Get(), 0, 0, width, height, screenDC, origin.x + rect.left, origin.y + rect.top, SRCCOPY)) {
        copied = int(std::clamp<LONG>(GetBitmapBits(bitmap_.Get(), LONG(buffer.size()), buffer.data()), 0,
                                      LONG(buffer.size())));
    }
    return PixelBlock(buffer.data(), size_t(copied), width, height);
}

PixelBlock CaptureBlock(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer) {
    const int copied =
        CaptureScreenRect(screenDC, origin.x, origin.y, rect.left, rect.top, rect.right, rect.bottom, buffer);
    return PixelBlock(buffer.data(), size_t(copied), rect.Width(), rect.Height());
}

}  // namespace gkr
