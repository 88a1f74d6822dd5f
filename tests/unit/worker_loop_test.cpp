#include "app/worker_loop.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/dispatch_codes.h"

namespace gkr {
namespace {

// A host whose clock (one tick per millisecond) moves by the waits, and which
// stops the loop once the clock reaches `stopAt`. It records what the loop
// did, with the time, as a short script.
class ScriptedHost : public WorkerHost {
public:
    explicit ScriptedHost(std::atomic<int32_t>& running) : running_(running) {}

    int64_t stopAt = 10000;
    int64_t clock = 0;
    bool panelShown = true;
    bool pollWanted = false;
    bool followingGame = false;
    std::optional<int64_t> timerStart;  // the running timer's start, if it runs
    int64_t wokenAt = -1;               // a wake from another thread ends the wait here
    std::vector<std::string> log;

    bool Wait(uint32_t ms) override {
        log.push_back("wait " + std::to_string(ms));
        bool woken = false;
        if (wokenAt > clock && wokenAt < clock + ms) {
            clock = wokenAt;
            woken = true;
        } else {
            clock += ms;
        }
        if (clock >= stopAt) running_ = 0;
        return woken;
    }
    int64_t Now() override { return clock; }
    int64_t Frequency() override { return 1000; }
    void Dispatch(int32_t code) override { log.push_back("run " + std::to_string(code) + " @" + std::to_string(clock)); }
    void PollInput() override { log.push_back("poll @" + std::to_string(clock)); }
    bool NotePanelShown() override { return panelShown; }
    bool PollWanted() override { return pollWanted; }
    bool FollowingGame() override { return followingGame; }
    std::optional<int64_t> TimerFaceChange(int64_t now) override {
        if (!timerStart) return std::nullopt;
        return *timerStart + (now - *timerStart) / 1000 * 1000 + 1000;
    }
    std::optional<int64_t> SheetFaceChange(int64_t) override { return std::nullopt; }

    int Count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& e : log) n += e.compare(0, prefix.size(), prefix) == 0;
        return n;
    }

private:
    std::atomic<int32_t>& running_;
};

class WorkerLoopTest : public ::testing::Test {
protected:
    std::atomic<int32_t> running{1};
    ScriptedHost host{running};
    TaskScheduler tasks{[this] { return host.clock; }};

    std::vector<std::string> Script(size_t entries) const {
        return std::vector<std::string>(host.log.begin(), host.log.begin() + std::min(entries, host.log.size()));
    }
};

TEST_F(WorkerLoopTest, StoppedBeforeStartReturnsAtOnce) {
    running = 0;
    EXPECT_EQ(0, RunWorkerLoop(tasks, running, host));
    EXPECT_TRUE(host.log.empty());
}

// The watch once a second and the note panel twice a second: the worker wakes
// exactly when one of them is due, never for nothing (the first wait only is
// cut at the one-second bound).
TEST_F(WorkerLoopTest, WakesOnlyWhenATaskIsDue) {
    tasks.RegisterTask(dispatch::TaskGameWatch, 1.0);
    tasks.RegisterTask(dispatch::TaskNotePanel, 0.5);
    EXPECT_EQ(0, RunWorkerLoop(tasks, running, host));
    EXPECT_EQ((std::vector<std::string>{"wait 501", "run -11 @501", "wait 500", "run -10 @1001", "run -11 @1001",
                                        "wait 500", "run -11 @1501"}),
              Script(7));
    EXPECT_EQ(9, host.Count("run -10"));
    EXPECT_EQ(19, host.Count("run -11"));
    EXPECT_EQ(20, host.Count("wait"));  // ten seconds: 20 wakes, not 200
}

TEST_F(WorkerLoopTest, TheNotePanelRestsWhileHiddenAfterOneLastReading) {
    tasks.RegisterTask(dispatch::TaskGameWatch, 1.0);
    tasks.RegisterTask(dispatch::TaskNotePanel, 0.5);
    host.panelShown = false;
    host.stopAt = 5000;
    RunWorkerLoop(tasks, running, host);
    EXPECT_EQ((std::vector<std::string>{"run -11 @0", "wait 1000", "wait 1", "run -10 @1001", "wait 1000",
                                        "run -10 @2001"}),
              Script(6));
    EXPECT_EQ(1, host.Count("run -11"));
    EXPECT_EQ(4, host.Count("run -10"));
}

// The look at the game window costs wakes only while overlays follow it,
// never leaves more than its period between two looks, and rides on the
// worker's other wakes: the timer's ticks here.
TEST_F(WorkerLoopTest, TheGameIsLookedAtOnlyWhileOverlaysFollowItAndOnOtherWakes) {
    tasks.RegisterTask(dispatch::TaskGameWatch, 1.0);
    host.stopAt = 2000;
    RunWorkerLoop(tasks, running, host);
    EXPECT_EQ(0, host.Count("run -4"));
    EXPECT_LE(host.Count("wait"), 3);  // the game watch alone wakes it

    running = 1;
    host.log.clear();
    host.followingGame = true;
    host.timerStart = 2070;
    host.stopAt = 5000;
    RunWorkerLoop(tasks, running, host);
    std::vector<int64_t> looks;
    for (const std::string& e : host.log) {
        if (e.rfind("run -4 @", 0) == 0) looks.push_back(std::stoll(e.substr(8)));
        // A tick half a period or more after the last look takes a look with it.
        if (e.rfind("run -1 @", 0) == 0 && !looks.empty()) {
            const int64_t tick = std::stoll(e.substr(8));
            if (tick - looks.back() >= 75) ADD_FAILURE() << "no look rode on the tick at " << tick;
        }
    }
    ASSERT_GE(looks.size(), 15u);
    for (size_t i = 1; i < looks.size(); ++i) {
        EXPECT_LE(looks[i] - looks[i - 1], 150) << "at " << looks[i];
        EXPECT_GE(looks[i] - looks[i - 1], 75) << "at " << looks[i];
    }
}

// The face shows whole seconds from the start: the worker wakes at each one,
// not before, and repaints at once.
TEST_F(WorkerLoopTest, TheRunningTimerIsTickedWhenItsSecondChanges) {
    host.timerStart = 37;
    host.stopAt = 4000;
    RunWorkerLoop(tasks, running, host);
    EXPECT_EQ((std::vector<std::string>{"wait 1000", "wait 37", "run -1 @1037", "wait 1000", "run -1 @2037",
                                        "wait 1000", "run -1 @3037"}),
              Script(7));
}

// A timer started or songs relisted on another thread wake the worker, which
// repaints what may have changed without waiting out its wait.
TEST_F(WorkerLoopTest, AWakeRepaintsAtOnce) {
    tasks.RegisterTask(dispatch::TaskGameWatch, 1.0);
    host.wokenAt = 300;
    host.stopAt = 1500;
    RunWorkerLoop(tasks, running, host);
    EXPECT_EQ((std::vector<std::string>{"wait 1000", "run -1 @300", "run -2 @300", "wait 701", "run -10 @1001"}),
              Script(5));
}

TEST_F(WorkerLoopTest, PollsEvery150MsOnlyWhileSomeHotkeyCanMatch) {
    // Wanted from the second second only.
    struct Switching : ScriptedHost {
        using ScriptedHost::ScriptedHost;
        bool PollWanted() override { return clock >= 1000 && clock < 2000; }
    } switching(running);
    switching.stopAt = 3000;
    TaskScheduler own{[&switching] { return switching.clock; }};
    own.RegisterTask(dispatch::TaskGameWatch, 1.0);
    RunWorkerLoop(own, running, switching);
    std::vector<std::string> polls;
    for (const std::string& e : switching.log)
        if (e.rfind("poll", 0) == 0) polls.push_back(e);
    // The watch due at 2001 waits for the poll at 2050 to share its wake; the
    // switch-off is seen after that pass.
    EXPECT_EQ((std::vector<std::string>{"poll @1150", "poll @1300", "poll @1450", "poll @1600", "poll @1750",
                                        "poll @1900", "poll @2050"}),
              polls);
    EXPECT_EQ(1, switching.Count("run -10 @2050"));
}

// A stop that arrives while a pass runs lets the pass finish, then ends the loop.
TEST_F(WorkerLoopTest, StopSeenAfterThePassEndsTheLoop) {
    struct StopDuringPass : ScriptedHost {
        using ScriptedHost::ScriptedHost;
        std::atomic<int32_t>* flag = nullptr;
        void Dispatch(int32_t code) override {
            ScriptedHost::Dispatch(code);
            *flag = 0;
        }
    } stopping(running);
    stopping.flag = &running;
    TaskScheduler own{[&stopping] { return stopping.clock; }};
    own.RegisterTask(5, 0.01);
    own.RegisterTask(6, 0.01);
    RunWorkerLoop(own, running, stopping);
    EXPECT_EQ((std::vector<std::string>{"wait 11", "run 5 @11", "run 6 @11"}), stopping.log);
}

TEST(WorkerWait, RoundsUpToWholeMillisecondsWithinTheBound) {
    EXPECT_EQ(kLongestWaitMs, WaitMsUntil(std::nullopt, 0, 1000));  // nothing due
    EXPECT_EQ(kLongestWaitMs, WaitMsUntil(5, 0, 0));               // no time base
    EXPECT_EQ(0u, WaitMsUntil(100, 100, 1000));                     // due now
    EXPECT_EQ(0u, WaitMsUntil(-5, 100, 1000));                      // overdue
    const int64_t f = 10000000;                                     // Wine's counter: 100 ns
    EXPECT_EQ(1u, WaitMsUntil(1, 0, f));                            // one tick: never ends early
    EXPECT_EQ(1u, WaitMsUntil(10000, 0, f));
    EXPECT_EQ(2u, WaitMsUntil(10001, 0, f));
    EXPECT_EQ(999u, WaitMsUntil(f - 10000, 0, f));
    EXPECT_EQ(kLongestWaitMs, WaitMsUntil(f + 1, 0, f));
    EXPECT_EQ(kLongestWaitMs, WaitMsUntil(INT64_MAX, -1000, f));    // no overflow
    const uint32_t half = WaitMsUntil(INT64_MAX / 2, INT64_MAX / 2 - INT64_MAX / 4, INT64_MAX / 2);
    EXPECT_TRUE(half >= 500 && half <= 501) << half;  // half a second at an absurd rate
}

TEST(WorkerWait, DeadlinesAFewMillisecondsApartShareOneWakeWithinTheirSlack) {
    EXPECT_FALSE(SharedWake({}).has_value());
    EXPECT_FALSE(SharedWake({{std::nullopt, 50}}).has_value());
    EXPECT_EQ(100, SharedWake({{100, 50}, {std::nullopt, 0}}));           // alone: not put off
    EXPECT_EQ(130, SharedWake({{100, 50}, {130, 40}, {200, 0}}));         // 130 still meets 100's slack
    EXPECT_EQ(100, SharedWake({{101, 50}, {100, 0}}));                    // no slack: never put off
    EXPECT_EQ(150, SharedWake({{150, 40}, {100, 50}}));                   // exactly at the slack's end
    EXPECT_EQ(100, SharedWake({{151, 40}, {100, 50}}));                   // one tick beyond it
    EXPECT_EQ(INT64_MAX, SharedWake({{INT64_MAX, 50}, {INT64_MAX - 1, 5}}));  // no overflow
}

TEST(WorkerWait, PollPaceKeepsItsPeriodButNeverBursts) {
    PollPace pace;
    pace.Want(true, 0, 150);
    EXPECT_EQ(150, pace.Next());
    EXPECT_FALSE(pace.Take(149, 150));
    EXPECT_TRUE(pace.Take(152, 150));
    EXPECT_EQ(300, pace.Next());  // late by 2: the period is kept
    EXPECT_TRUE(pace.Take(1000, 150));
    EXPECT_EQ(1150, pace.Next());  // held up: one poll, then afresh
    EXPECT_FALSE(pace.Take(1001, 150));
    pace.Want(false, 1100, 150);
    EXPECT_FALSE(pace.Next().has_value());
    EXPECT_FALSE(pace.Take(5000, 150));
}

}  // namespace
}  // namespace gkr
