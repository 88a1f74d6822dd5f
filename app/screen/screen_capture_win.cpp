#include "app/screen/screen_capture_win.h"

#include <algorithm>

#include "app/screen/capture_clip.h"

namespace gkr {

namespace {

bool HasPixelLayout(HBITMAP bitmap) {
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) == sizeof info && info.bmBitsPixel == 32;
}

// The screen DC's own bounds: the virtual screen, all monitors. Read from the
// DC itself, since each system-metrics query is a Wine server round trip
// (30-190 us here, against 0.1 us). Nothing when they cannot be read.
ScreenArea ScreenBounds(HDC screenDC) {
    RECT box{};
    if (GetClipBox(screenDC, &box) == ERROR) return ScreenArea{};
    return ScreenArea{box.left, box.top, box.right - box.left, box.bottom - box.top};
}

// Copies the block whose top-left pixel lies at screen (x, y) through `memory`
// (holding `bitmap`, width x height) into `buffer`: only the part on the
// screen, the rest set to kOffScreen. Returns the bytes copied.
int CopyOnScreenPart(HDC screenDC, HDC memory, HBITMAP bitmap, int x, int y, int width, int height,
                     CaptureBuffer& buffer) {
    const CaptureClip clip = ClipToScreen(x, y, width, height, ScreenBounds(screenDC));
    if (!clip.Empty() &&
        !BitBlt(memory, clip.x, clip.y, clip.width, clip.height, screenDC, x + clip.x, y + clip.y, SRCCOPY))
        return 0;
    const LONG copied = std::clamp<LONG>(GetBitmapBits(bitmap, LONG(buffer.size()), buffer.data()), 0,
                                         LONG(buffer.size()));
    FillOffScreen(buffer.data(), size_t(copied), width, height, clip);
    return int(copied);
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
    return CopyOnScreenPart(screenDC, memory.Get(), bitmap.Get(), originX + left, originY + top, width, height,
                            buffer);
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
    if (screenDC && width > 0 && height > 0 && Fit(screenDC, width, height))
        copied = CopyOnScreenPart(screenDC, memory_->Get(), bitmap_.Get(), origin.x + rect.left, origin.y + rect.top,
                                  width, height, buffer);
    return PixelBlock(buffer.data(), size_t(copied), width, height);
}

PixelBlock CaptureBlock(HDC screenDC, POINT origin, const CaptureRect& rect, CaptureBuffer& buffer) {
    const int copied =
        CaptureScreenRect(screenDC, origin.x, origin.y, rect.left, rect.top, rect.right, rect.bottom, buffer);
    return PixelBlock(buffer.data(), size_t(copied), rect.Width(), rect.Height());
}

}  // namespace gkr
