// The worker's pace seen from a held key: the loop polls every 150 ms while
// a hotkey is bound, and every poll that finds the combination down runs its action.
#include <atomic>
#include <cstdint>
#include <set>

#include <gtest/gtest.h>

#include "app/framework/task_scheduler.h"
#include "app/worker_loop.h"
#include "input/hotkey_poll.h"

namespace gkr {
namespace {

constexpr uint32_t kKeyQ = 81;

// A clock that moves by the sleeps, and a keyboard on which Q is down from
// pressMs for one second; the loop stops after two and a half seconds.
class HeldKeyHost final : public WorkerHost, public HotkeyDevices {
public:
    HeldKeyHost(std::atomic<int32_t>& running, int64_t pressMs) : running_(running), pressMs_(pressMs) {}

    int runs = 0;
    int64_t clock = 0;

    bool Wait(uint32_t ms) override {
        clock += ms;
        if (clock >= 2500) running_ = 0;
        return false;
    }
    int64_t Now() override { return clock; }
    int64_t Frequency() override { return 1000; }
    void Dispatch(int32_t code) override { runs += code == 0; }
    void PollInput() override { poller_.Poll(hotkeys_, HotkeyOptions{}, PadState{}, *this); }
    bool IsDown(uint32_t code) override { return code == kKeyQ && clock >= pressMs_ && clock < pressMs_ + 1000; }
    bool ReadPad(PadPosition&) override { return false; }
    bool NotePanelShown() override { return false; }
    bool PollWanted() override { return true; }
    std::optional<int64_t> TimerFaceChange(int64_t) override { return std::nullopt; }
    std::optional<int64_t> SheetFaceChange(int64_t) override { return std::nullopt; }

private:
    std::atomic<int32_t>& running_;
    int64_t pressMs_;
    HotkeyPoller poller_;
    AccelList hotkeys_ = [] {
        Accel start;
        start.keys = {kKeyQ};
        return AccelList{start};
    }();
};

TEST(HotkeyPace, ACombinationHeldForOneSecondRunsItsActionSixOrSevenTimes) {
    std::set<int> counts;
    for (int64_t phase = 0; phase < 150; phase += 5) {  // every moment of the press against the polls
        std::atomic<int32_t> running{1};
        HeldKeyHost host(running, 500 + phase);
        TaskScheduler tasks{[&host] { return host.clock; }};
        RunWorkerLoop(tasks, running, host);
        EXPECT_TRUE(host.runs == 6 || host.runs == 7) << "pressed at " << 500 + phase << " ms: " << host.runs;
        counts.insert(host.runs);
    }
    EXPECT_EQ((std::set<int>{6, 7}), counts) << "both counts occur, depending on the phase";
}

}  // namespace
}  // namespace gkr
