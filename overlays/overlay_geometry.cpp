#include "overlays/overlay_geometry.h"

#include <algorithm>

namespace gkr {

namespace {

int32_t Scaled(double length, double scale) { return static_cast<int32_t>(length * scale); }

}  // namespace

int32_t ClampOffset(int32_t offset) { return std::clamp(offset, -kMaxOffset, kMaxOffset); }

int32_t ClampTimerSize(int32_t timerSize) { return std::clamp(timerSize, kMinTimerSize, kMaxTimerSize); }

double TimerScale(int32_t timerSize) { return ClampTimerSize(timerSize) / 100.0; }

OverlayRect EnergyBarRect(int32_t maxHealth, int32_t offsetX, int32_t offsetY) {
    OverlayRect r;
    r.x = ClampOffset(offsetX) + 119;
    r.y = ClampOffset(offsetY) + 23;
    // 64-bit product: a damaged conf.xml may hold any 32-bit maximum.
    const int64_t width = static_cast<int64_t>(maxHealth) * 325 / 100;
    r.width = static_cast<int32_t>(std::clamp<int64_t>(width, 0, INT32_MAX));
    r.height = 10;
    return r;
}

int32_t EnergyBarMarker(int32_t width) { return static_cast<int32_t>(int64_t{4} * width / 10); }

TimerGeometry ComputeTimerGeometry(double scale) {
    TimerGeometry g;
    g.window.x = Scaled(0, scale);
    g.window.y = Scaled(0, scale);
    g.window.width = Scaled(100, scale);
    g.window.height = Scaled(20, scale);
    g.indicatorLeft = g.indicatorTop = Scaled(3, scale);
    g.indicatorRight = g.indicatorBottom = Scaled(13, scale);
    return g;
}

int32_t ClampSheetPosition(int32_t position, int32_t clientExtent) {
    const int64_t limit = static_cast<int64_t>(clientExtent) - 10;
    if (std::min<int64_t>(limit, position) <= 0) return 0;
    if (limit < position) return static_cast<int32_t>(limit);
    return position;
}

}  // namespace gkr
