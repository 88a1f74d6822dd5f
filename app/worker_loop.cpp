#include "app/worker_loop.h"

namespace gkr {

int32_t RunWorkerLoop(TaskScheduler& tasks, const std::atomic<int32_t>& running, uint32_t sleepMs,
                      WorkerHost& host) {
    if (running.load() == 0) return 0;
    const TaskScheduler::Dispatcher dispatch = [&host](int32_t code) { host.Dispatch(code); };
    PassCounter passes;
    for (;;) {
        host.Sleep(sleepMs);
        // Stopped during the sleep: the program is going down, so no new pass
        // starts against windows and settings that are about to go away.
        if (running.load() == 0) return 0;
        tasks.RunDueTasks(host.Now(), host.Frequency(), dispatch);
        if (passes.NextPassPolls()) host.PollInput();
        if (running.load() == 0) return 0;
    }
}

}  // namespace gkr
