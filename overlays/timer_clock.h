// The quest timer's face: the hours, minutes and seconds shown for a running
// time, counted from performance-counter values.
#pragma once

#include <cstdint>
#include <string>

namespace gkr {

struct ClockFace {
    int64_t hours = 0;    // not wrapped: 100 hours show as 100
    int32_t minutes = 0;  // 0..59
    int32_t seconds = 0;  // 0..59
    bool operator==(const ClockFace& o) const {
        return hours == o.hours && minutes == o.minutes && seconds == o.seconds;
    }
    bool operator!=(const ClockFace& o) const { return !(*this == o); }
};

// The face for `elapsed` counter ticks at `frequency` ticks per second. The
// time is counted in hundredths of a second in 64 bits (32 bits would turn
// negative after about 248 days) and never overflows; a negative elapsed time
// or a frequency of 0 shows 00:00:00.
ClockFace ClockFaceAt(int64_t elapsed, int64_t frequency);

// The first elapsed time after `elapsed` at which the face shows another
// second: the next whole second of counter ticks. A frequency of 0 never
// changes the face (INT64_MAX).
int64_t NextClockFaceChange(int64_t elapsed, int64_t frequency);

// The face as its whole seconds (hours beyond INT32_MAX count as INT32_MAX),
// so that it crosses to another thread as one value; and the face of a count
// of seconds (0 for a negative one).
int64_t PackClockFace(const ClockFace& face);
ClockFace UnpackClockFace(int64_t seconds);

// "HH:MM:SS", each field at least two digits.
std::string FormatClockFace(const ClockFace& face);

}  // namespace gkr
