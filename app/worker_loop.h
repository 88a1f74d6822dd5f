// The worker thread's loop: sleep, run the due tasks, poll the input on every
// third pass, and stop when the running flag is cleared. The platform side
// (sleeping, the clock, the dispatcher, the input poll) comes from a host.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/framework/task_scheduler.h"

namespace gkr {

class WorkerHost {
public:
    // Waits about ms milliseconds.
    virtual void Sleep(uint32_t ms) = 0;
    virtual int64_t Now() = 0;        // clock ticks
    virtual int64_t Frequency() = 0;  // clock ticks per second
    virtual void Dispatch(int32_t code) = 0;
    virtual void PollInput() = 0;

protected:
    ~WorkerHost() = default;
};

// Every third pass polls the input, the first time on pass 3.
class PassCounter {
public:
    bool NextPassPolls() {
        count_ = (count_ + 1) % 3;
        return count_ == 0;
    }

private:
    int count_ = 0;
};

// Runs passes until `running` is 0; returns 0. Returns at once if it is 0 on entry.
int32_t RunWorkerLoop(TaskScheduler& tasks, const std::atomic<int32_t>& running, uint32_t sleepMs,
                      WorkerHost& host);

}  // namespace gkr
