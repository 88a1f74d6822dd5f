#include "app/framework/worker_wake_win.h"

#include <windows.h>

#include "app/framework/singleton.h"
#include "app/framework/system_library_win.h"

namespace gkr {

namespace {

// The worker waits on a counter of wakes. Where the system waits on an
// address (Windows 8 on, and Wine, where it is a futex) a wait costs no call
// into the Wine server, unlike a wait on an event: the worker waits several
// times a second for hours. Windows 7 falls back to an auto-reset event.
using WaitOnAddressFunction = BOOL(WINAPI*)(volatile VOID*, PVOID, SIZE_T, DWORD);
using WakeByAddressFunction = VOID(WINAPI*)(PVOID);

class WakeSignal : public Singleton<WakeSignal> {
public:
    // A wait on an address may also end without a wake; the worker's loop
    // then waits again until its deadline by its own clock.
    bool Wait(uint32_t ms) {
        LONG now = InterlockedCompareExchange(&wakes_, 0, 0);
        if (now == seen_) {
            if (waitOnAddress_) waitOnAddress_(&wakes_, &now, sizeof now, ms);
            else if (event_) WaitForSingleObject(event_, ms);
            else Sleep(ms);
            now = InterlockedCompareExchange(&wakes_, 0, 0);
        }
        const bool woken = now != seen_;
        seen_ = now;
        return woken;
    }

    void Wake() {
        InterlockedIncrement(&wakes_);
        if (wakeByAddress_) wakeByAddress_(const_cast<LONG*>(&wakes_));
        else if (event_) SetEvent(event_);
    }

private:
    friend class Singleton<WakeSignal>;
    WakeSignal()
        : waitOnAddress_(SystemFunction<WaitOnAddressFunction>(L"kernelbase.dll", "WaitOnAddress")),
          wakeByAddress_(SystemFunction<WakeByAddressFunction>(L"kernelbase.dll", "WakeByAddressAll")) {
        if (!waitOnAddress_ || !wakeByAddress_) {
            waitOnAddress_ = nullptr;
            wakeByAddress_ = nullptr;
            event_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        }
    }

    volatile LONG wakes_ = 0;  // counted up by any thread, one step at a time
    LONG seen_ = 0;            // written by the worker (the one waiting thread) alone
    WaitOnAddressFunction waitOnAddress_;
    WakeByAddressFunction wakeByAddress_;
    HANDLE event_ = nullptr;  // alive for the whole process
};

}  // namespace

bool WaitForWorkerWake(uint32_t ms) { return WakeSignal::Instance().Wait(ms); }

void WakeWorker() { WakeSignal::Instance().Wake(); }

}  // namespace gkr
