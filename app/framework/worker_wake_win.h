// The worker waits until its next deadline or until woken. Whatever changes
// what is due (a timer started, a binding made, a device switched on) wakes
// it from any thread, without knowing the worker itself.
#pragma once

#include <windows.h>

namespace gkr {

// The event the worker waits on: auto-reset, made on first use, alive for
// the whole process. NULL if it could not be made (the worker then sleeps).
HANDLE WorkerWakeEvent();

// Ends the worker's wait at once; harmless when it is not waiting.
void WakeWorker();

}  // namespace gkr
