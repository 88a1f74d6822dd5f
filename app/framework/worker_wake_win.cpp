#include "app/framework/worker_wake_win.h"

namespace gkr {

HANDLE WorkerWakeEvent() {
    static const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return event;
}

void WakeWorker() {
    if (HANDLE event = WorkerWakeEvent()) SetEvent(event);
}

}  // namespace gkr
