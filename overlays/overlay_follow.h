// How top-level overlays follow the game window: they sit at fixed spots of
// its client area, so a move of the game shifts them all by the same amount;
// they are hidden while the game is minimised or hidden, and kept just above
// it when it comes to the front (Wine raises no other process's owned windows).
// While the game is topmost they are topmost too and the game owns them no
// longer: under Wine a window that owns another process's pop-ups cannot
// become topmost.
#pragma once

#include <cstdint>

namespace gkr {

// The game window as the overlays see it.
struct GameFrame {
    bool exists = false;
    bool shown = false;        // visible and not minimised
    int32_t originX = 0;       // the client area's top-left corner on the screen
    int32_t originY = 0;
    // Seen: the window right above the game is one of the overlays. Placed
    // for: false while one more raise is due.
    bool overlaysOnTop = true;
    bool topmost = false;      // the game is above every window that is not topmost
    bool operator==(const GameFrame& o) const {
        return exists == o.exists && shown == o.shown && originX == o.originX && originY == o.originY &&
               overlaysOnTop == o.overlaysOnTop && topmost == o.topmost;
    }
    bool operator!=(const GameFrame& o) const { return !(*this == o); }
};

struct FollowPlan {
    bool close = false;     // the game window is gone: the overlays go too
    int32_t dx = 0, dy = 0; // shift every overlay by this much
    bool hide = false;      // hide the overlays that are shown
    bool show = false;      // show again the overlays that are wanted
    bool raise = false;     // put the overlays back right above the game
    bool retop = false;     // the game became topmost or left it: the overlays follow (`topmost`)
    bool topmost = false;
    bool Nothing() const { return !close && dx == 0 && dy == 0 && !hide && !show && !raise && !retop; }
};

// From the frame the overlays are placed for to the frame seen now. A
// minimised game's origin means nothing, so it moves nothing; the shift
// happens once the game is shown again.
FollowPlan PlanFollow(const GameFrame& placedFor, const GameFrame& now);

// The frame the overlays are placed for once the plan is carried out.
GameFrame FrameAfter(const GameFrame& placedFor, const GameFrame& now);

// The overlays, placed for `before` and now for `after`, stand over a new
// place of the screen (moved with the game, or shown again): the screen
// reading, which skips while they lag behind, is worth running at once.
bool OverlaysAtANewPlace(const GameFrame& before, const GameFrame& after);

// The worker's look at the game window on each follow pass. Every question
// to another process's window is a round trip to the Wine server, so a pass
// asks for the window's rectangle alone (a move, resize, minimise or restore
// changes it) and reads the whole frame (style, client origin, what lies
// above it) only when it changed, a raise is due, or once every kPasses
// passes: a game hidden where it stands, or brought to the front, changes no
// rectangle and is seen within about a second.
class FollowLook {
public:
    static constexpr int kPasses = 7;
    struct Glance {
        int32_t left = 0, top = 0, right = 0, bottom = 0;
        bool operator==(const Glance& o) const {
            return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
        }
    };
    // `game` names the window (its handle); `glance` as read now (`exists`
    // false when it could not be read).
    bool NeedsFullLook(uintptr_t game, bool exists, const Glance& glance, bool raiseDue);

private:
    uintptr_t game_ = 0;
    bool exists_ = false;
    Glance glance_;
    int passesLeft_ = 0;
};

}  // namespace gkr
