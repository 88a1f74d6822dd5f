#include "app/framework/double_buffer_win.h"

namespace gkr {

HDC PaintSurface::Prepare(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    if (select_ && width == width_ && height == height_) return memory_->Get();
    select_.reset();
    bitmap_.Reset();
    // Compatible with the screen, as every window DC of the display is.
    memory_ = std::make_unique<MemoryDC>(nullptr);
    WindowDC screen(nullptr);
    bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width + 1, height + 1));
    select_ = std::make_unique<SelectScope>(memory_->Get(), bitmap_.Get());
    if (!select_->Ok()) {
        select_.reset();
        return nullptr;
    }
    width_ = width;
    height_ = height;
    return memory_->Get();
}

DoubleBuffer::DoubleBuffer(PaintSurface& surface, HDC target, int width, int height)
    : target_(target), width_(width + 1), height_(height + 1), memory_(target ? surface.Prepare(width, height) : nullptr) {}

void DoubleBuffer::CopyOut() const {
    if (Ok()) BitBlt(target_, 0, 0, width_, height_, memory_, 0, 0, SRCCOPY);
}

}  // namespace gkr
