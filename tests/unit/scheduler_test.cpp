#include "app/framework/task_scheduler.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace gkr {
namespace {

constexpr int64_t kFrequency = 1000;  // fake clock: one tick per millisecond

class SchedulerTest : public ::testing::Test {
protected:
    int64_t now = 0;
    TaskScheduler tasks{[this] { return now; }};
    std::vector<int32_t> ran;
    TaskScheduler::Dispatcher record = [this](int32_t code) { ran.push_back(code); };

    // One worker pass at the current fake time.
    void Pass() { tasks.RunDueTasks(now, kFrequency, record); }

    std::vector<int32_t> Ids() const {
        std::vector<int32_t> ids;
        for (const PeriodicTask& t : tasks.Tasks()) ids.push_back(t.id);
        return ids;
    }
};

TEST_F(SchedulerTest, ElapsedEqualToIntervalDoesNotRunButOneTickMoreDoes) {
    tasks.RegisterTask(7, 1.0);
    now = 1000;
    Pass();
    EXPECT_TRUE(ran.empty());
    now = 1001;
    Pass();
    EXPECT_EQ(std::vector<int32_t>{7}, ran);
}

TEST_F(SchedulerTest, PeriodAdvancesByOneIntervalNotToNow) {
    tasks.RegisterTask(7, 1.0);
    now = 1700;
    Pass();
    ASSERT_EQ(1u, ran.size());
    EXPECT_EQ(1000, tasks.Tasks()[0].lastDue);
    EXPECT_EQ(1, tasks.Tasks()[0].runCount);
    // The next period began at 1000, so the task is due again after 2000, not after 2700.
    now = 2001;
    Pass();
    EXPECT_EQ(2u, ran.size());
}

TEST_F(SchedulerTest, PeriodIsTruncatedTowardZero) {
    tasks.RegisterTask(1, 0.0015);  // 1.5 ticks
    now = 2;
    Pass();
    EXPECT_EQ(1, tasks.Tasks()[0].lastDue);
}

TEST_F(SchedulerTest, TaskCatchesUpAfterAStallOncePerPass) {
    tasks.RegisterTask(-10, 1.0);
    // Normal 50 ms passes for 2 s: once per second.
    for (now = 50; now <= 2000; now += 50) Pass();
    EXPECT_EQ(1u, ran.size());  // at 1050; the next period ends after 2000
    // The worker is blocked for 5 s, then passes resume every 50 ms.
    const int64_t lastBefore = tasks.Tasks()[0].lastDue;
    ran.clear();
    std::vector<int64_t> runTimes;
    for (now = 7050; now <= 12000; now += 50) {
        size_t before = ran.size();
        Pass();
        if (ran.size() > before) runTimes.push_back(now);
    }
    // It ran on each of the passes right after the stall ...
    ASSERT_GE(runTimes.size(), 6u);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(7050 + 50 * static_cast<int64_t>(i), runTimes[i]);
    // ... one period per run, so the average rate is kept, and the period
    // start is within one interval of now again ...
    const int64_t lastAfter = tasks.Tasks()[0].lastDue;
    EXPECT_EQ(lastBefore + 1000 * static_cast<int64_t>(ran.size()), lastAfter);
    EXPECT_LE(12000 - lastAfter, 1000);
    EXPECT_EQ(7300, runTimes[5]);  // the last catch-up run
    // ... and once caught up it runs once per second again.
    for (size_t i = 7; i < runTimes.size(); ++i) EXPECT_EQ(1000, runTimes[i] - runTimes[i - 1]);
}

TEST_F(SchedulerTest, ShortTaskRunsAtMostOncePerPass) {
    tasks.RegisterTask(-2, 0.01);  // 10 ticks, far shorter than a pass
    now = 500;
    Pass();
    EXPECT_EQ(1u, ran.size());
    EXPECT_EQ(10, tasks.Tasks()[0].lastDue);
}

TEST_F(SchedulerTest, DueTasksRunInRegistrationOrder) {
    tasks.RegisterTask(-10, 1.0);
    tasks.RegisterTask(-1, 0.05);
    tasks.RegisterTask(-2, 0.01);
    tasks.RegisterTask(-11, 0.5);
    now = 1001;
    Pass();
    EXPECT_EQ((std::vector<int32_t>{-10, -1, -2, -11}), ran);
}

TEST_F(SchedulerTest, TaskRegisteredDuringAPassIsNotDueInThatPass) {
    tasks.RegisterTask(1, 0.01);
    now = 100;
    tasks.RunDueTasks(now, kFrequency, [&](int32_t code) {
        ran.push_back(code);
        if (code == 1) tasks.RegisterTask(2, 0.0);
    });
    EXPECT_EQ(std::vector<int32_t>{1}, ran);
    EXPECT_EQ(2u, tasks.Tasks().size());
}

TEST_F(SchedulerTest, NoTimeBaseMeansNothingIsDue) {
    tasks.RegisterTask(1, 0.01);
    tasks.RunDueTasks(1000000, 0, record);
    EXPECT_TRUE(ran.empty());
}

// --- ids ---------------------------------------------------------------

TEST_F(SchedulerTest, IdsCountUpFromOne) {
    EXPECT_EQ(1, tasks.RegisterTask(-10, 1.0));
    EXPECT_EQ(2, tasks.RegisterTask(-1, 0.05));
    EXPECT_EQ(3, tasks.RegisterTask(-2, 0.01));
    EXPECT_EQ(3, tasks.LastId());
}

TEST_F(SchedulerTest, LastReleasedIdComesBackFirst) {
    for (int i = 0; i < 4; ++i) tasks.RegisterTask(i, 1.0);
    tasks.UnregisterTask(2);
    tasks.UnregisterTask(4);
    EXPECT_EQ((std::vector<int32_t>{2, 4}), tasks.FreeIds());
    EXPECT_EQ(4, tasks.RegisterTask(9, 1.0));
    EXPECT_EQ(2, tasks.RegisterTask(9, 1.0));
    EXPECT_EQ(5, tasks.RegisterTask(9, 1.0));  // counting resumes after the last counted id
    EXPECT_EQ((std::vector<int32_t>{1, 3, 4, 2, 5}), Ids());
}

TEST_F(SchedulerTest, UnregisterOfUnknownIdChangesNothing) {
    tasks.RegisterTask(1, 1.0);
    tasks.RegisterTask(2, 1.0);
    tasks.UnregisterTask(2);
    tasks.UnregisterTask(42);
    tasks.UnregisterTask(2);  // already gone
    EXPECT_EQ(std::vector<int32_t>{1}, Ids());
    EXPECT_EQ(std::vector<int32_t>{2}, tasks.FreeIds());
}

TEST_F(SchedulerTest, RegistrationStartsThePeriodAtTheClock) {
    now = 12345;
    tasks.RegisterTask(-1, 0.05);
    const PeriodicTask t = tasks.Tasks()[0];
    EXPECT_EQ(12345, t.lastDue);
    EXPECT_EQ(-1, t.code);
    EXPECT_DOUBLE_EQ(0.05, t.interval);
    EXPECT_EQ(0, t.removeAfterRun);
    EXPECT_EQ(0, t.runCount);
}

// --- removal during a walk ----------------------------------------------

TEST_F(SchedulerTest, OneShotIsRemovedAfterItsRunAndTheWalkGoesOn) {
    tasks.RegisterTask(1, 0.01);
    tasks.RegisterOneShot(2, 0.01);
    tasks.RegisterTask(3, 0.01);
    now = 100;
    Pass();
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), ran);
    EXPECT_EQ((std::vector<int32_t>{1, 3}), Ids());
    EXPECT_EQ(std::vector<int32_t>{2}, tasks.FreeIds());
    ran.clear();
    now = 200;
    Pass();
    EXPECT_EQ((std::vector<int32_t>{1, 3}), ran);
}

TEST_F(SchedulerTest, DispatchedWorkMayUnregisterTheRunningTask) {
    tasks.RegisterTask(1, 0.01);
    tasks.RegisterTask(2, 0.01);
    tasks.RegisterTask(3, 0.01);
    now = 100;
    tasks.RunDueTasks(now, kFrequency, [&](int32_t code) {
        ran.push_back(code);
        if (code == 2) tasks.UnregisterTask(2);
    });
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), ran);
    EXPECT_EQ((std::vector<int32_t>{1, 3}), Ids());
}

TEST_F(SchedulerTest, DispatchedWorkMayUnregisterEarlierAndLaterTasks) {
    for (int code = 1; code <= 4; ++code) tasks.RegisterTask(code, 0.01);
    now = 100;
    tasks.RunDueTasks(now, kFrequency, [&](int32_t code) {
        ran.push_back(code);
        if (code == 2) {
            tasks.UnregisterTask(1);  // before the walk's place
            tasks.UnregisterTask(3);  // after it: must not run any more
        }
    });
    EXPECT_EQ((std::vector<int32_t>{1, 2, 4}), ran);
    EXPECT_EQ((std::vector<int32_t>{2, 4}), Ids());
}

TEST_F(SchedulerTest, IdReusedDuringAWalkDoesNotConfuseIt) {
    tasks.RegisterTask(1, 0.01);
    tasks.RegisterTask(2, 0.01);
    tasks.RegisterTask(3, 0.01);
    now = 100;
    tasks.RunDueTasks(now, kFrequency, [&](int32_t code) {
        ran.push_back(code);
        if (code == 2) {
            tasks.UnregisterTask(2);
            tasks.RegisterTask(9, 0.01);  // takes id 2 again, at the end
        }
    });
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), ran);
    EXPECT_EQ((std::vector<int32_t>{1, 3, 2}), Ids());
    EXPECT_EQ(9, tasks.Tasks()[2].code);
}

TEST_F(SchedulerTest, RunCountCountsEveryRun) {
    tasks.RegisterTask(1, 0.01);
    for (now = 100; now <= 500; now += 100) Pass();
    EXPECT_EQ(5, tasks.Tasks()[0].runCount);
}

// "When is the next one due?" must agree with the walk to the tick: one tick
// earlier nothing runs, at it the task runs. Intervals that are not whole
// ticks and a counter far from zero are where rounding would show.
TEST_F(SchedulerTest, NextDueIsTheFirstTickAtWhichTheWalkRunsATask) {
    EXPECT_FALSE(tasks.NextDue(kFrequency).has_value());  // nothing registered
    for (const double interval : {1.0, 0.5, 0.15, 0.0333, 0.0}) {
        for (const int64_t start : {int64_t{0}, int64_t{123456789012}}) {
            for (const int64_t frequency : {kFrequency, int64_t{10000000}, int64_t{3579545}}) {
                now = start;
                TaskScheduler one{[this] { return now; }};
                one.RegisterTask(7, interval);
                const std::optional<int64_t> due = one.NextDue(frequency);
                ASSERT_TRUE(due.has_value());
                int runs = 0;
                const TaskScheduler::Dispatcher count = [&runs](int32_t) { ++runs; };
                one.RunDueTasks(*due - 1, frequency, count);
                EXPECT_EQ(0, runs) << interval << " s at " << start << ", " << frequency << " Hz";
                one.RunDueTasks(*due, frequency, count);
                EXPECT_EQ(1, runs) << interval << " s at " << start << ", " << frequency << " Hz";
            }
        }
    }
    EXPECT_FALSE(tasks.NextDue(0).has_value());  // no time base: nothing is due
}

TEST_F(SchedulerTest, NextDueIsTheEarliestTaskAndMayLieInThePast) {
    tasks.RegisterTask(-10, 1.0);
    tasks.RegisterTask(-11, 0.5);
    EXPECT_EQ(501, tasks.NextDue(kFrequency));
    now = 3000;  // held up: both overdue, the earliest is still named
    Pass();      // each catches up one period
    EXPECT_EQ(1001, tasks.NextDue(kFrequency));
    tasks.UnregisterTask(2);
    EXPECT_EQ(2001, tasks.NextDue(kFrequency));
}

TEST_F(SchedulerTest, ARestingTaskIsNeverDueAndWakesWithAFreshPeriod) {
    tasks.RegisterTask(-10, 1.0);
    tasks.RegisterTask(-11, 0.5);
    EXPECT_TRUE(tasks.SetActive(-11, false, kFrequency));
    EXPECT_FALSE(tasks.SetActive(-11, false, kFrequency));  // already resting
    EXPECT_FALSE(tasks.SetActive(99, false, kFrequency));   // no such task
    EXPECT_EQ(1001, tasks.NextDue(kFrequency));
    now = 10000;
    Pass();
    EXPECT_EQ(std::vector<int32_t>{-10}, ran);  // ten seconds of rest owe nothing
    EXPECT_TRUE(tasks.SetActive(-11, true, kFrequency));
    EXPECT_EQ(10000, tasks.Tasks()[1].lastDue);
    now = 10500;
    Pass();
    EXPECT_EQ(std::vector<int32_t>({-10, -10}), ran);  // -10 catches up; -11 waits its period
    now = 10501;
    Pass();
    EXPECT_EQ(std::vector<int32_t>({-10, -10, -10, -11}), ran);
    tasks.SetActive(-10, false, kFrequency);
    tasks.SetActive(-11, false, kFrequency);
    EXPECT_FALSE(tasks.NextDue(kFrequency).has_value());
}

// A task woken between the first running task's period starts keeps in step
// with it, so both are due at the same tick and share one wake of the worker.
TEST_F(SchedulerTest, AWokenTaskKeepsInStepWithTheFirstRunningTask) {
    tasks.RegisterTask(-10, 1.0);
    tasks.RegisterTask(-11, 0.5);
    tasks.RegisterTask(-12, 0.3);
    tasks.SetActive(-11, false, kFrequency);
    tasks.SetActive(-12, false, kFrequency);
    now = 1001;
    Pass();  // -10's period now starts at 1000
    now = 1730;
    EXPECT_TRUE(tasks.SetActive(-11, true, kFrequency));
    EXPECT_EQ(1500, tasks.Tasks()[1].lastDue);  // not due at once: 1730 - 1500 < 500
    EXPECT_EQ(1001 + 1000, tasks.NextDue(kFrequency));
    now = 2001;
    ran.clear();
    Pass();
    EXPECT_EQ(std::vector<int32_t>({-10, -11}), ran);
    // A period that does not divide the anchor's still starts a whole number
    // of its periods from it; with nothing else running, at the clock.
    now = 2500;
    tasks.SetActive(-12, true, kFrequency);
    EXPECT_EQ(2000 + 300, tasks.Tasks()[2].lastDue);
    tasks.SetActive(-10, false, kFrequency);
    tasks.SetActive(-11, false, kFrequency);
    tasks.SetActive(-12, false, kFrequency);
    now = 2777;
    tasks.SetActive(-11, true, kFrequency);
    EXPECT_EQ(2777, tasks.Tasks()[1].lastDue);
    // No time base: at the clock.
    tasks.SetActive(-11, false, kFrequency);
    tasks.SetActive(-10, true, kFrequency);
    now = 2900;
    tasks.SetActive(-11, true, 0);
    EXPECT_EQ(2900, tasks.Tasks()[1].lastDue);
}

// Run at once when asked (the screen reading after the overlays followed a
// move), once, keeping the period it shares with the other tasks.
TEST_F(SchedulerTest, ATaskAskedToRunSoonRunsAtTheNextPassOnceAndKeepsItsPeriod) {
    tasks.RegisterTask(-10, 1.0);
    tasks.RegisterTask(-11, 0.5);
    now = 300;
    EXPECT_TRUE(tasks.RunSoon(-10));
    EXPECT_EQ(0, tasks.NextDue(kFrequency));
    for (int64_t at : {300, 300, 1001, 2100}) {
        now = at;
        if (at == 2100) tasks.RunSoon(-10);  // due anyway: one run
        Pass();
    }
    EXPECT_EQ(std::vector<int32_t>({-10, -10, -11, -10, -11}), ran);
    EXPECT_EQ(2000, tasks.Tasks()[0].lastDue);
    tasks.SetActive(-11, false, kFrequency);
    EXPECT_FALSE(tasks.RunSoon(-11) || tasks.RunSoon(-99)) << "a resting task, an unknown code";
}

}  // namespace
}  // namespace gkr
