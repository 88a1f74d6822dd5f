#include "app/worker_loop.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace gkr {
namespace {

// A host whose clock moves by the sleep time, and which stops the loop after
// a given number of passes. It records what the loop did as a short script.
class ScriptedHost : public WorkerHost {
public:
    explicit ScriptedHost(std::atomic<int32_t>& running) : running_(running) {}

    int passesLeft = 0;  // the loop is stopped inside the sleep after this many passes
    int64_t clock = 0;
    std::vector<std::string> log;

    void Sleep(uint32_t ms) override {
        log.push_back("sleep");
        clock += ms;
        if (passesLeft-- == 0) running_ = 0;
    }
    int64_t Now() override { return clock; }
    int64_t Frequency() override { return 1000; }
    void Dispatch(int32_t code) override { log.push_back("run " + std::to_string(code)); }
    void PollInput() override { log.push_back("poll"); }

    int Count(const std::string& entry) const {
        int n = 0;
        for (const std::string& e : log) n += e == entry;
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
};

TEST_F(WorkerLoopTest, StoppedBeforeStartReturnsAtOnce) {
    running = 0;
    EXPECT_EQ(0, RunWorkerLoop(tasks, running, 50, host));
    EXPECT_TRUE(host.log.empty());
}

TEST_F(WorkerLoopTest, PollsOnEveryThirdPassAfterTheTasks) {
    tasks.RegisterTask(-2, 0.01);
    host.passesLeft = 6;
    EXPECT_EQ(0, RunWorkerLoop(tasks, running, 50, host));
    const std::vector<std::string> pass = {"sleep", "run -2"};
    std::vector<std::string> expected;
    for (int i = 1; i <= 6; ++i) {
        expected.insert(expected.end(), pass.begin(), pass.end());
        if (i % 3 == 0) expected.push_back("poll");
    }
    expected.push_back("sleep");  // stopped here: no seventh pass
    EXPECT_EQ(expected, host.log);
}

TEST_F(WorkerLoopTest, TasksRunAtTheirRatesOverManyPasses) {
    tasks.RegisterTask(-10, 1.0);
    tasks.RegisterTask(-1, 0.05);
    tasks.RegisterTask(-2, 0.01);
    tasks.RegisterTask(-11, 0.5);
    host.passesLeft = 200;  // 10 s of 50 ms passes
    RunWorkerLoop(tasks, running, 50, host);
    EXPECT_EQ(9, host.Count("run -10"));    // strictly more than 1 s: 1050, 2050, ... 9050
    EXPECT_EQ(199, host.Count("run -1"));   // 0.05 s is not less than a 50 ms pass at first
    EXPECT_EQ(200, host.Count("run -2"));   // every pass
    EXPECT_EQ(19, host.Count("run -11"));
    EXPECT_EQ(66, host.Count("poll"));
}

// A stop that arrives while a pass runs lets the pass finish, then ends the loop.
class StopDuringPass : public ScriptedHost {
public:
    explicit StopDuringPass(std::atomic<int32_t>& running) : ScriptedHost(running), flag_(running) {}
    void Dispatch(int32_t code) override {
        ScriptedHost::Dispatch(code);
        flag_ = 0;
    }

private:
    std::atomic<int32_t>& flag_;
};

TEST(WorkerLoop, StopSeenAfterThePassEndsTheLoop) {
    std::atomic<int32_t> running{1};
    StopDuringPass host(running);
    host.passesLeft = 100;
    TaskScheduler tasks{[&host] { return host.clock; }};
    tasks.RegisterTask(5, 0.01);
    tasks.RegisterTask(6, 0.01);
    RunWorkerLoop(tasks, running, 50, host);
    EXPECT_EQ((std::vector<std::string>{"sleep", "run 5", "run 6"}), host.log);
}

TEST(PassCounter, FirstPollOnThirdPass) {
    PassCounter c;
    EXPECT_FALSE(c.NextPassPolls());
    EXPECT_FALSE(c.NextPassPolls());
    EXPECT_TRUE(c.NextPassPolls());
    EXPECT_FALSE(c.NextPassPolls());
    EXPECT_FALSE(c.NextPassPolls());
    EXPECT_TRUE(c.NextPassPolls());
}

}  // namespace
}  // namespace gkr
