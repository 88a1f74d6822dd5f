#include "app/screen/auto_timer.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

constexpr int64_t kFrequency = 10'000'000;  // counter ticks per second

// The game watch runs once a second; the clock starts well after boot.
class AutoTimerTest : public ::testing::Test {
protected:
    AutoTimerAction Pass(bool present, double atSeconds, bool enabled = true) {
        return timer.OnPass(present, enabled, Ticks(atSeconds), kFrequency);
    }
    static int64_t Ticks(double seconds) { return int64_t(seconds * kFrequency); }

    // Passes once a second in (from, to], all with the same gauge state;
    // returns the time of the first pass that asked for `wanted`, or -1.
    double FirstPassWith(AutoTimerAction wanted, bool present, int from, int to) {
        double first = -1;
        for (int t = from + 1; t <= to; ++t) {
            if (Pass(present, 1000 + t) == wanted && first < 0) first = t;
        }
        return first;
    }

    AutoTimer timer;
};

TEST_F(AutoTimerTest, FirstSightingStartsTheTimer) {
    EXPECT_EQ(AutoTimerAction::Start, Pass(true, 1000));
    EXPECT_EQ(AutoTimerAction::None, Pass(true, 1001));
    EXPECT_EQ(Ticks(1001), timer.LastSeen());
}

TEST_F(AutoTimerTest, ShortAbsenceChangesNothing) {
    Pass(true, 1000);
    EXPECT_EQ(-1, FirstPassWith(AutoTimerAction::Stop, false, 0, 15));
    EXPECT_EQ(AutoTimerAction::None, Pass(true, 1016));
}

TEST_F(AutoTimerTest, LongAbsenceStopsThenTheReturnRestarts) {
    Pass(true, 1000);
    EXPECT_EQ(21, FirstPassWith(AutoTimerAction::Stop, false, 0, 20 + 5));
    // Every pass while the gauge stays away asks again.
    EXPECT_EQ(AutoTimerAction::Stop, Pass(false, 1025.5));
    EXPECT_EQ(AutoTimerAction::Start, Pass(true, 1026));
}

TEST_F(AutoTimerTest, ExactlyTwentySecondsIsStillTheSameQuest) {
    Pass(true, 1000);
    EXPECT_EQ(AutoTimerAction::None, Pass(false, 1020));
    EXPECT_EQ(AutoTimerAction::None, Pass(true, 1020));
    EXPECT_EQ(AutoTimerAction::None, Pass(false, 1040));
    EXPECT_EQ(AutoTimerAction::Stop, Pass(false, 1040.001));
}

TEST_F(AutoTimerTest, DisabledNeverActsButStillRemembersTheGauge) {
    EXPECT_EQ(AutoTimerAction::None, Pass(true, 1000, false));
    EXPECT_EQ(Ticks(1000), timer.LastSeen());
    EXPECT_EQ(AutoTimerAction::None, Pass(false, 1030, false));
    // Switched on during the same quest: the gauge was seen 5 s ago.
    EXPECT_EQ(AutoTimerAction::None, Pass(true, 1005));
}

TEST_F(AutoTimerTest, GaugeNeverSeenCountsAsLongGone) {
    EXPECT_EQ(AutoTimerAction::Stop, Pass(false, 1000));
}

}  // namespace
}  // namespace gkr
