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

int64_t NextClockFaceChange(int64_t elapsed, int64_t frequency) {
    if (frequency <= 0) return INT64_MAX;
    // The face shows the whole seconds of elapsed / frequency, and 0 before the start.
    const int64_t shownSeconds = elapsed < 0 ? 0 : elapsed / frequency;
    if (shownSeconds >= INT64_MAX / frequency - 1) return INT64_MAX;
    return (shownSeconds + 1) * frequency;
}

int64_t PackClockFace(const ClockFace& face) {
    const int64_t hours = face.hours < INT32_MAX ? face.hours : INT32_MAX;
    return hours * 3600 + face.minutes * 60 + face.seconds;
}

ClockFace UnpackClockFace(int64_t seconds) {
    ClockFace face;
    if (seconds <= 0) return face;
    face.seconds = static_cast<int32_t>(seconds % 60);
    face.minutes = static_cast<int32_t>(seconds / 60 % 60);
    face.hours = seconds / 3600;
    return face;
}

std::string FormatClockFace(const ClockFace& face) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2lld:%.2d:%.2d", static_cast<long long>(face.hours), face.minutes,
                  face.seconds);
    return text;
}

}  // namespace gkr
