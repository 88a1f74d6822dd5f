// The quest timer's face: hours, minutes and seconds from counter ticks.
#include "overlays/timer_clock.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

constexpr int64_t kFrequency = 10'000'000;  // a common performance-counter rate
constexpr int64_t kSecond = kFrequency;

std::string Face(int64_t elapsed, int64_t frequency = kFrequency) {
    return FormatClockFace(ClockFaceAt(elapsed, frequency));
}

TEST(TimerClock, FieldsRollOverAndHoursGrowPastTwoDigits) {
    EXPECT_EQ("00:00:00", Face(0));
    EXPECT_EQ("00:00:00", Face(kSecond - 1)) << "truncated, never rounded up";
    EXPECT_EQ("00:00:01", Face(kSecond));
    EXPECT_EQ("00:01:00", Face(60 * kSecond));
    EXPECT_EQ("01:59:59", Face(7199 * kSecond + kSecond / 2));
    EXPECT_EQ("99:59:59", Face(359999 * kSecond));
    EXPECT_EQ("100:00:00", Face(360000 * kSecond));
    EXPECT_EQ("00:00:03", Face(3 * 3579545 + 1, 3579545)) << "an odd frequency";
}

TEST(TimerClock, LongRunsNeverTurnNegativeOrOverflow) {
    // 249 days: a 32-bit count of hundredths would have wrapped below zero.
    const int64_t days249 = 249LL * 86400;
    const ClockFace face = ClockFaceAt(days249 * kSecond, kFrequency);
    EXPECT_EQ(249 * 24, face.hours);
    EXPECT_EQ(0, face.minutes);
    EXPECT_EQ(0, face.seconds);
    // The largest elapsed count a 64-bit counter holds.
    const ClockFace last = ClockFaceAt(INT64_MAX, kFrequency);
    EXPECT_GT(last.hours, 0);
    EXPECT_GE(last.minutes, 0);
    EXPECT_LT(last.seconds, 60);
}

TEST(TimerClock, NonsenseInputShowsZero) {
    EXPECT_EQ("00:00:00", Face(-5 * kSecond)) << "a start count after now";
    EXPECT_EQ("00:00:00", Face(5 * kSecond, 0));
    EXPECT_EQ("00:00:00", Face(5 * kSecond, -1));
}

TEST(TimerClock, AFaceCrossesAsItsSecondsAndComesBackWhole) {
    for (const int64_t seconds : {int64_t{0}, int64_t{59}, int64_t{3723}, int64_t{359999}, int64_t{249 * 86400}}) {
        const ClockFace face = ClockFaceAt(seconds * kSecond, kFrequency);
        EXPECT_EQ(face, UnpackClockFace(PackClockFace(face))) << seconds;
    }
    EXPECT_EQ(3723, PackClockFace(ClockFaceAt(3723 * kSecond + kSecond / 2, kFrequency)));
    // A face past any real run: the hours stop at INT32_MAX rather than wrap.
    EXPECT_EQ(int64_t{INT32_MAX} * 3600 + 59, PackClockFace(ClockFace{INT64_MAX / 4, 0, 59}));
    EXPECT_EQ(ClockFace{}, UnpackClockFace(-7));
}

TEST(TimerClock, FacesCompareByAllThreeFields) {
    EXPECT_EQ(ClockFaceAt(61 * kSecond, kFrequency), ClockFaceAt(61 * kSecond + 9, kFrequency));
    EXPECT_NE(ClockFaceAt(61 * kSecond, kFrequency), ClockFaceAt(62 * kSecond, kFrequency));
    EXPECT_NE(ClockFaceAt(60 * kSecond, kFrequency), ClockFaceAt(3600 * kSecond, kFrequency));
}

TEST(TimerClock, TheNextFaceChangeIsTheFirstTickOfTheNextSecond) {
    for (const int64_t f : {kFrequency, int64_t{3579545}, int64_t{1}}) {
        for (const int64_t elapsed : {int64_t{-5} * f, int64_t{0}, f - 1, f, 59 * f + f / 2, 3600 * f - 1}) {
            const int64_t next = NextClockFaceChange(elapsed, f);
            EXPECT_GT(next, elapsed);
            EXPECT_EQ(Face(std::max<int64_t>(elapsed, 0), f), Face(next - 1, f)) << elapsed << " at " << f;
            EXPECT_NE(Face(elapsed, f), Face(next, f)) << elapsed << " at " << f;
        }
    }
    EXPECT_EQ(INT64_MAX, NextClockFaceChange(5, 0));  // no time base: the face never moves
    EXPECT_EQ(INT64_MAX, NextClockFaceChange(INT64_MAX - 1, kFrequency));
}

}  // namespace
}  // namespace gkr
