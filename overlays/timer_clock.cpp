#include "overlays/timer_clock.h"

#include <cstdio>

namespace gkr {

ClockFace ClockFaceAt(int64_t elapsed, int64_t frequency) {
    ClockFace face;
    if (elapsed <= 0 || frequency <= 0) return face;
    // Whole seconds and the rest apart, so elapsed * 100 is never formed.
    const int64_t hundredths = elapsed / frequency * 100 + elapsed % frequency * 100 / frequency;
    face.seconds = static_cast<int32_t>(hundredths / 100 % 60);
    face.minutes = static_cast<int32_t>(hundredths / 6000 % 60);
    face.hours = hundredths / 360000;
    return face;
}

std::string FormatClockFace(const ClockFace& face) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2lld:%.2d:%.2d", static_cast<long long>(face.hours), face.minutes,
                  face.seconds);
    return text;
}

}  // namespace gkr
