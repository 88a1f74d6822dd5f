// The overlays' own thread.
//
// The overlays are child windows of the game's window, and a child window
// ties its thread to its parent's: creating one, changing the game window's
// style, destroying one, and their shared input all wait on the game. A game
// that stops answering catches whichever thread owns the overlays. So they
// live on this thread alone: the manager and the worker hand it jobs without
// waiting, act on the overlays only through calls that never wait on their
// thread (overlay_win.h), and shutdown waits for it with a bound. What the
// player does to an overlay it posts to the user-interface thread's mailbox.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

#include "app/framework/singleton.h"

namespace gkr {

class OverlayThread : public Singleton<OverlayThread> {
public:
    // Starts the thread and returns once it takes jobs. False if it could not
    // be started: the program then does not start at all, because overlays on
    // the user-interface thread would let a hung game freeze the manager.
    bool Start();

    // Runs `job` on the overlay thread after the jobs posted before it, and
    // returns at once (the Windows tests' Seams::runOverlayJob runs it
    // instead). False when the job could not be handed over (no thread, or
    // its queue refused it): the job is dropped, said in the debug output,
    // and the caller puts back what it set up for it.
    bool Post(std::function<void()> job);

    // Runs the jobs posted so far, then ends the thread. Waits at most
    // boundMs, answering what other threads send to this one meanwhile; false
    // if the thread did not end in time (caught by a game that hangs).
    bool Stop(DWORD boundMs);

    bool Running() const { return host_.load() != nullptr; }

private:
    friend class Singleton<OverlayThread>;
    OverlayThread() = default;
    static DWORD WINAPI ThreadProc(LPVOID ready);
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The message-only window that receives the jobs, and the thread's id:
    // written by the overlay thread (at its start and end); read by all.
    std::atomic<HWND> host_{nullptr};
    std::atomic<DWORD> threadId_{0};
    HANDLE thread_ = nullptr;  // written and read by the user-interface thread alone
};

}  // namespace gkr
