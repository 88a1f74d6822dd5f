// The worker waits until its next deadline or until woken. Whatever changes
// what is due (a timer started, a binding made, a device switched on) wakes
// it from any thread, without knowing the worker itself.
#pragma once

#include <cstdint>

namespace gkr {

// Waits at most ms milliseconds (rarely less); true when woken, by a wake
// during the wait or one since the last wait ended (none is lost). One
// waiting thread only: the worker.
bool WaitForWorkerWake(uint32_t ms);

// Ends the worker's wait at once; harmless when it is not waiting.
void WakeWorker();

}  // namespace gkr
