// Waiting for another thread from a thread that owns windows.
#pragma once

#include <windows.h>

namespace gkr {

// Waits up to timeoutMs for thread to end. Messages that other threads send
// to this thread's windows meanwhile are answered, so a thread blocked in
// SendMessageW towards us can finish instead of deadlocking the wait.
// Posted messages stay queued. True when the thread has ended.
bool WaitForThreadAnsweringSends(HANDLE thread, DWORD timeoutMs);

}  // namespace gkr
