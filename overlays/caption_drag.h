// The song panel's move by its caption, done by the panel itself: a top-level
// panel that left the move to the system would be activated (the keyboard
// leaves the game) and, under a window manager, a click without a drag could
// leave a move running until the next click.
#pragma once

#include <cstdint>
#include <optional>

namespace gkr {

struct DragPoint {
    int32_t x = 0, y = 0;
    bool operator==(const DragPoint& o) const { return x == o.x && y == o.y; }
};

class CaptionDrag {
public:
    struct Step {
        std::optional<DragPoint> moveTo;  // the window's new top-left corner
        bool ended = false;               // the button is up: the drag is over
        bool moved = false;               // with `ended`: the window was moved
    };

    // The button went down on the caption at `cursor` (screen) while the
    // window's top-left corner stood at `window`. The window moves only once
    // the pointer has gone more than `slopX`/`slopY` from where it was pressed.
    void Start(DragPoint cursor, DragPoint window, int32_t slopX, int32_t slopY);
    bool Active() const { return active_; }
    // The pointer now, and whether the button is still held.
    Step Follow(DragPoint cursor, bool held);
    void Cancel() { active_ = false; }

private:
    bool active_ = false;
    bool moving_ = false;
    DragPoint pressed_, window_, last_;
    int32_t slopX_ = 0, slopY_ = 0;
};

}  // namespace gkr
