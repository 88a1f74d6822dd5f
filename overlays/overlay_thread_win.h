// The overlays' own thread.
//
// The overlays are child windows of the game's window, and a child window
// ties its thread to its parent's: creating one, changing the game window's
// style, destroying one, and their shared input all wait on the game. A game
// that stops answering catches whichever thread owns the overlays. So they
// live on this thread alone: the manager and the worker hand it jobs without
// waiting, act on the overlays only through calls that never wait on their
// thread (overlay_win.h), and shutdown waits for it with a bound.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

namespace gkr {

class OverlayThread {
public:
    static OverlayThread& Instance();

    // Starts the thread and returns once it takes jobs. False if it could not
    // be started: the program then does not start at all, because overlays on
    // the user-interface thread would let a hung game freeze the manager.
    bool Start();

    // Runs `job` on the overlay thread after the jobs posted before it, and
    // returns at once. Without an overlay thread (never started, or stopped)
    // the job runs here and now: the calling thread then owns the overlays
    // (the Windows tests). False when the job could not be handed over (the
    // thread's queue refused it): the job is dropped, said in the debug
    // output, and the caller puts back what it set up for it.
    bool Post(std::function<void()> job);

    // Runs the jobs posted so far, then ends the thread. Waits at most
    // boundMs, answering what other threads send to this one meanwhile; false
    // if the thread did not end in time (caught by a game that hangs).
    bool Stop(DWORD boundMs);

    bool Running() const { return host_.load() != nullptr; }
    // True on the overlay thread itself.
    bool IsCurrent() const { return threadId_.load() == GetCurrentThreadId(); }

private:
    OverlayThread() = default;
    static DWORD WINAPI ThreadProc(LPVOID ready);
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::atomic<HWND> host_{nullptr};  // message-only window that receives the jobs
    std::atomic<DWORD> threadId_{0};
    HANDLE thread_ = nullptr;          // user-interface thread only
};

}  // namespace gkr
