// Off-screen drawing for the overlays: a picture is drawn into a memory bitmap
// and copied to the window in one BitBlt, so an overlay never flickers over
// the game. The bitmap is one pixel larger than the client area each way.
#pragma once

#include <windows.h>

#include "app/scoped_win.h"

namespace gkr {

class DoubleBuffer {
public:
    // A buffer for a client area of width x height on `target`.
    DoubleBuffer(HDC target, int width, int height);
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;

    bool Ok() const { return select_.Ok(); }
    HDC Dc() const { return memory_.Get(); }
    // Copies the whole buffer to the target at (0, 0).
    void CopyOut() const;

private:
    HDC target_;
    int width_, height_;
    MemoryDC memory_;
    ScopedBitmap bitmap_;
    SelectScope select_;  // last: the bitmap leaves the DC before either is freed
};

}  // namespace gkr
