// The periodic tasks of the worker thread: registration, release and reuse of
// task ids, and one walk over the list that runs every task whose period has
// passed. Time is counted in ticks of a clock given from outside (the
// performance counter in the program, a fake clock in the tests).
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace gkr {

struct PeriodicTask {
    int32_t id = 0;
    int64_t lastDue = 0;       // clock value at which the current period began
    double interval = 0.0;     // period in seconds
    int32_t code = 0;          // what the dispatcher runs
    int32_t removeAfterRun = 0;
    int64_t runCount = 0;
    uint64_t order = 0;        // grows with every registration; keeps a walk's place
    bool active = true;        // a resting task is never due and does not fall behind
    bool soon = false;         // runs at the next walk whatever its period says (RunSoon)
};

// True when more than one interval has passed since the period began
// (strictly more: a task exactly one interval old waits for the next pass).
bool IsTaskDue(const PeriodicTask& task, int64_t now, int64_t frequency);

// Moves the period start on by exactly one period, never to now, so a task
// that was held up runs on the following passes until it has caught up.
void AdvanceTaskPeriod(PeriodicTask& task, int64_t frequency);

// The first clock value at which IsTaskDue holds (the task's own period only;
// its `active` flag is not looked at). Needs a frequency above 0.
int64_t TaskDueAt(const PeriodicTask& task, int64_t frequency);

class TaskScheduler {
public:
    using Clock = std::function<int64_t()>;
    using Dispatcher = std::function<void(int32_t code)>;

    explicit TaskScheduler(Clock clock);

    // Reuses the most recently released id if there is one, else counts up from 1.
    int32_t RegisterTask(int32_t code, double intervalSeconds);
    // Like RegisterTask, but the task is removed after its first run.
    int32_t RegisterOneShot(int32_t code, double intervalSeconds);
    // Removes the first task with this id and releases the id; an unknown id changes nothing.
    void UnregisterTask(int32_t id);

    // One walk in list order: every due task runs once, through dispatch, with
    // the list unlocked so the dispatched work may register or unregister tasks.
    void RunDueTasks(int64_t now, int64_t frequency, const Dispatcher& dispatch);

    // Every active task with this code runs at the next walk, once, even
    // before its period has passed; its period stays as it was, so it keeps
    // sharing the worker's wakes with the others. True when some task was
    // marked. From any thread; the caller wakes the worker.
    bool RunSoon(int32_t code);

    // The earliest clock value at which an active task is due (it may be
    // past: a task marked by RunSoon is due from its period's start), or
    // nothing when no task is active or there is no time base.
    std::optional<int64_t> NextDue(int64_t frequency) const;

    // Rests or wakes every task with this code. A task woken from rest starts
    // a fresh period, so it neither runs at once nor catches up on the time it
    // rested: the last period start at or before the clock that lies a whole
    // number of its periods from the first running task's, so the two share
    // the worker's wakes instead of each waking it on its own (at the clock
    // itself when no other task runs or there is no time base). True when
    // some task changed state.
    bool SetActive(int32_t code, bool active, int64_t frequency);

    // Copies for inspection.
    std::vector<PeriodicTask> Tasks() const;
    std::vector<int32_t> FreeIds() const;
    int32_t LastId() const;

private:
    int32_t Register(int32_t code, double intervalSeconds, int32_t removeAfterRun);
    size_t FirstAfter(uint64_t order) const;  // index of the first task registered after `order`

    Clock clock_;
    // Guards the list: the user-interface thread registers before the worker
    // runs (the tests while it runs), the worker's passes write it.
    mutable std::mutex mutex_;
    int32_t lastId_ = 0;
    uint64_t lastOrder_ = 0;
    std::vector<PeriodicTask> tasks_;  // registration order, so `order` ascends
    std::vector<int32_t> freeIds_;     // released ids, oldest first
};

}  // namespace gkr
