// Off-screen drawing for the overlays: a picture is drawn into a memory bitmap
// and copied to the window in one BitBlt, so an overlay never flickers over
// the game. The bitmap is one pixel larger than the client area each way.
#pragma once

#include <windows.h>

#include <memory>

#include "app/framework/scoped_win.h"

namespace gkr {

// The memory DC and bitmap an overlay draws into, kept from one paint to the
// next while the size stays: an overlay repaints once a second, and making
// them anew each time costs as much as the drawing.
class PaintSurface {
public:
    // The memory DC for a client area of width x height, or NULL.
    HDC Prepare(int width, int height);

private:
    std::unique_ptr<MemoryDC> memory_;
    ScopedBitmap bitmap_;
    std::unique_ptr<SelectScope> select_;  // last: released before the bitmap and the DC
    int width_ = -1, height_ = -1;
};

class DoubleBuffer {
public:
    // A buffer for a client area of width x height on `target`, drawn in
    // `surface` (kept by the caller, on the painting thread only).
    DoubleBuffer(PaintSurface& surface, HDC target, int width, int height);
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;

    bool Ok() const { return memory_ != nullptr; }
    HDC Dc() const { return memory_; }
    // Copies the whole buffer to the target at (0, 0).
    void CopyOut() const;

private:
    HDC target_;
    int width_, height_;
    HDC memory_;
};

}  // namespace gkr
