// Where the three overlays sit inside the game window's client area, and how
// big they are. Pure arithmetic, shared by the overlays' creation code.
#pragma once

#include <cstdint>

namespace gkr {

struct OverlayRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const OverlayRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool Contains(int32_t px, int32_t py) const {
        return px >= x && py >= y && int64_t{px} - x < width && int64_t{py} - y < height;
    }
};

// conf.xml may hold any 32-bit value; the stored value is kept as it is and
// brought into the range its page offers where it is used.
constexpr int32_t kMaxOffset = 20;  // OffsetX, OffsetY: -20..20
constexpr int32_t kMinTimerSize = 100, kMaxTimerSize = 300;  // TimerSize, percent
int32_t ClampOffset(int32_t offset);
int32_t ClampTimerSize(int32_t timerSize);
// The timer's scale for a stored TimerSize.
double TimerScale(int32_t timerSize);

// The energy bar lies along the top edge of the game's health gauge: 3.25
// pixels per health point, shifted by the user's offsets (clamped). A maximum
// below 0 (gauge not seen) gives width 0 rather than a negative one.
OverlayRect EnergyBarRect(int32_t maxHealth, int32_t offsetX, int32_t offsetY);

// The 40 % point of an energy bar `width` pixels wide, where its tick hangs.
int32_t EnergyBarMarker(int32_t width);

// The quest timer at scale s: a 100 x 20 window at the client's top-left
// corner, with the topmost indicator at (3, 3)-(13, 13); every length is
// computed in double precision and truncated toward zero, so a scale of 1.15
// gives a width of 114.
struct TimerGeometry {
    OverlayRect window;
    int32_t indicatorLeft = 0, indicatorTop = 0, indicatorRight = 0, indicatorBottom = 0;
};
TimerGeometry ComputeTimerGeometry(double scale);

// The song-sheet panel's stored position, kept inside the game's client area:
// limit = client extent - 10; a position at or below 0 (or a limit at or below
// 0) becomes 0, one beyond the limit becomes the limit.
int32_t ClampSheetPosition(int32_t position, int32_t clientExtent);

// The song-sheet panel's size when it is created.
constexpr int32_t kSheetWidth = 230;
constexpr int32_t kSheetCreateHeight = 170;

}  // namespace gkr
