#include "app/framework/task_scheduler.h"

#include <algorithm>
#include <utility>

namespace gkr {

bool IsTaskDue(const PeriodicTask& task, int64_t now, int64_t frequency) {
    if (frequency <= 0) return false;  // no time base yet: nothing can be due
    const double elapsed = static_cast<double>(now - task.lastDue) / static_cast<double>(frequency);
    return task.interval < elapsed;
}

void AdvanceTaskPeriod(PeriodicTask& task, int64_t frequency) {
    task.lastDue += static_cast<int64_t>(static_cast<double>(frequency) * task.interval);
}

int64_t TaskDueAt(const PeriodicTask& task, int64_t frequency) {
    // The elapsed-time comparison is in floating point: start from the
    // arithmetic answer and step to the exact first tick that passes it.
    // Rounding puts it at most a tick or two off.
    const double period = task.interval * static_cast<double>(frequency);
    if (!(period >= 0) || period > 1e18) return INT64_MAX;  // never due in practice
    int64_t at = task.lastDue + static_cast<int64_t>(period);
    for (int step = 0; step < 4 && !IsTaskDue(task, at, frequency); ++step) ++at;
    for (int step = 0; step < 4 && IsTaskDue(task, at - 1, frequency); ++step) --at;
    return at;
}

TaskScheduler::TaskScheduler(Clock clock) : clock_(std::move(clock)) {}

int32_t TaskScheduler::RegisterTask(int32_t code, double intervalSeconds) {
    return Register(code, intervalSeconds, 0);
}

int32_t TaskScheduler::RegisterOneShot(int32_t code, double intervalSeconds) {
    return Register(code, intervalSeconds, 1);
}

int32_t TaskScheduler::Register(int32_t code, double intervalSeconds, int32_t removeAfterRun) {
    const int64_t now = clock_();
    std::lock_guard<std::mutex> lock(mutex_);
    PeriodicTask task;
    if (!freeIds_.empty()) {
        task.id = freeIds_.back();
        freeIds_.pop_back();
    } else {
        task.id = ++lastId_;
    }
    task.lastDue = now;
    task.interval = intervalSeconds;
    task.code = code;
    task.removeAfterRun = removeAfterRun;
    task.order = ++lastOrder_;
    tasks_.push_back(task);
    return task.id;
}

void TaskScheduler::UnregisterTask(int32_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = std::find_if(tasks_.begin(), tasks_.end(), [id](const PeriodicTask& t) { return t.id == id; });
    if (it == tasks_.end()) return;
    tasks_.erase(it);
    freeIds_.push_back(id);
}

size_t TaskScheduler::FirstAfter(uint64_t order) const {
    auto it = std::upper_bound(tasks_.begin(), tasks_.end(), order,
                               [](uint64_t o, const PeriodicTask& t) { return o < t.order; });
    return static_cast<size_t>(it - tasks_.begin());
}

void TaskScheduler::RunDueTasks(int64_t now, int64_t frequency, const Dispatcher& dispatch) {
    std::unique_lock<std::mutex> lock(mutex_);
    size_t i = 0;
    while (i < tasks_.size()) {
        PeriodicTask& task = tasks_[i];
        const bool due = task.active && IsTaskDue(task, now, frequency);
        if (!due && !(task.active && task.soon)) {
            ++i;
            continue;
        }
        if (due) AdvanceTaskPeriod(task, frequency);
        task.soon = false;
        const int32_t code = task.code;
        const uint64_t order = task.order;

        // Dispatched work may wait for the user-interface thread, which may
        // itself be registering a task: never hold the list across it.
        lock.unlock();
        dispatch(code);
        lock.lock();

        // The list may have changed meanwhile. Tasks are only ever appended,
        // so the registration order finds our place again whatever was removed.
        i = FirstAfter(order);
        if (i > 0 && tasks_[i - 1].order == order) {
            PeriodicTask& ran = tasks_[i - 1];
            ++ran.runCount;
            if (ran.removeAfterRun) {
                freeIds_.push_back(ran.id);
                tasks_.erase(tasks_.begin() + static_cast<std::ptrdiff_t>(i - 1));
                --i;  // the walk goes on with the task that followed
            }
        }
    }
}

bool TaskScheduler::RunSoon(int32_t code) {
    std::lock_guard<std::mutex> lock(mutex_);
    bool marked = false;
    for (PeriodicTask& task : tasks_) {
        if (task.code != code || !task.active) continue;
        task.soon = true;
        marked = true;
    }
    return marked;
}

std::optional<int64_t> TaskScheduler::NextDue(int64_t frequency) const {
    if (frequency <= 0) return std::nullopt;
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<int64_t> next;
    for (const PeriodicTask& task : tasks_) {
        if (!task.active) continue;
        const int64_t at = task.soon ? task.lastDue : TaskDueAt(task, frequency);
        if (!next || at < *next) next = at;
    }
    return next;
}

bool TaskScheduler::SetActive(int32_t code, bool active, int64_t frequency) {
    const int64_t now = clock_();
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<int64_t> anchor;
    for (const PeriodicTask& task : tasks_) {
        if (task.active && task.code != code) {
            anchor = task.lastDue;
            break;
        }
    }
    bool changed = false;
    for (PeriodicTask& task : tasks_) {
        if (task.code != code || task.active == active) continue;
        task.active = active;
        if (active) {
            const double period = task.interval * static_cast<double>(frequency);
            task.lastDue = now;
            if (anchor && *anchor <= now && period >= 1 && period <= 1e18)
                task.lastDue = now - (now - *anchor) % static_cast<int64_t>(period);
        }
        changed = true;
    }
    return changed;
}

std::vector<PeriodicTask> TaskScheduler::Tasks() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return tasks_;
}

std::vector<int32_t> TaskScheduler::FreeIds() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return freeIds_;
}

int32_t TaskScheduler::LastId() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastId_;
}

}  // namespace gkr
