// One worker pass over the four built-in tasks: the cost the scheduler adds to
// every 50 ms pass, with nothing due and with everything due.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/dispatch_codes.h"
#include "app/framework/task_scheduler.h"

namespace {

constexpr int64_t kFrequency = 10000000;  // a typical performance-counter rate

void RegisterBuiltIns(gkr::TaskScheduler& tasks) {
    tasks.RegisterTask(gkr::dispatch::TaskGameWatch, 1.0);
    tasks.RegisterTask(gkr::dispatch::TaskTimerTick, 0.05);
    tasks.RegisterTask(gkr::dispatch::TaskSheetRedraw, 0.01);
    tasks.RegisterTask(gkr::dispatch::TaskNotePanel, 0.5);
}

void BM_PassNoneDue(benchmark::State& state) {
    gkr::TaskScheduler tasks([] { return int64_t{0}; });
    RegisterBuiltIns(tasks);
    int64_t dispatched = 0;
    const gkr::TaskScheduler::Dispatcher dispatch = [&dispatched](int32_t) { ++dispatched; };
    for (auto _ : state) tasks.RunDueTasks(1000, kFrequency, dispatch);  // 0.1 ms after registration
    if (dispatched != 0) state.SkipWithError("a task ran");
}
BENCHMARK(BM_PassNoneDue);

void BM_PassAllDue(benchmark::State& state) {
    gkr::TaskScheduler tasks([] { return int64_t{0}; });
    RegisterBuiltIns(tasks);
    int64_t dispatched = 0;
    const gkr::TaskScheduler::Dispatcher dispatch = [&dispatched](int32_t code) {
        dispatched += code;
        benchmark::DoNotOptimize(dispatched);
    };
    // Decades behind: every task stays due for far more passes than are timed.
    const int64_t now = int64_t{1} << 62;
    for (auto _ : state) tasks.RunDueTasks(now, kFrequency, dispatch);
    if (tasks.Tasks()[0].runCount != static_cast<int64_t>(state.iterations()))
        state.SkipWithError("not all due");
}
BENCHMARK(BM_PassAllDue);

}  // namespace
