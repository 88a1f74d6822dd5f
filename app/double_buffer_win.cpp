#include "app/double_buffer_win.h"

namespace gkr {

DoubleBuffer::DoubleBuffer(HDC target, int width, int height)
    : target_(target),
      width_(width + 1),
      height_(height + 1),
      memory_(target),
      bitmap_(target && width >= 0 && height >= 0 ? CreateCompatibleBitmap(target, width_, height_) : nullptr),
      select_(memory_.Get(), bitmap_.Get()) {}

void DoubleBuffer::CopyOut() const {
    if (Ok()) BitBlt(target_, 0, 0, width_, height_, memory_.Get(), 0, 0, SRCCOPY);
}

}  // namespace gkr
