#include "overlays/caption_drag.h"

#include <cstdlib>

namespace gkr {

void CaptionDrag::Start(DragPoint cursor, DragPoint window, int32_t slopX, int32_t slopY) {
    active_ = true;
    moving_ = false;
    pressed_ = cursor;
    window_ = window;
    last_ = window;
    slopX_ = slopX < 0 ? 0 : slopX;
    slopY_ = slopY < 0 ? 0 : slopY;
}

CaptionDrag::Step CaptionDrag::Follow(DragPoint cursor, bool held) {
    Step step;
    if (!active_) return step;
    const int64_t dx = int64_t{cursor.x} - pressed_.x, dy = int64_t{cursor.y} - pressed_.y;
    if (!moving_ && (std::llabs(dx) > slopX_ || std::llabs(dy) > slopY_)) moving_ = true;
    if (moving_) {
        const DragPoint to{static_cast<int32_t>(window_.x + dx), static_cast<int32_t>(window_.y + dy)};
        if (!(to == last_)) {
            step.moveTo = to;
            last_ = to;
        }
    }
    if (!held) {
        active_ = false;
        step.ended = true;
        step.moved = !(last_ == window_);
    }
    return step;
}

}  // namespace gkr
