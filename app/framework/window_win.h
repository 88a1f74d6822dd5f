// Base of every dialog and overlay object: one window handle and the one
// virtual operation, which hands Win32 the class's static procedure.
#pragma once

#include <windows.h>

#include <atomic>

namespace gkr {

// One slot serves dialogs and overlays alike: a dialog procedure returns
// INT_PTR and a window procedure LRESULT, the same type on 64-bit targets and
// of the same size and calling convention everywhere.
using Procedure = WNDPROC;
inline DLGPROC AsDialogProcedure(Procedure procedure) { return reinterpret_cast<DLGPROC>(procedure); }

class Window {
public:
    // NULL while no window exists; may go stale when a parent dies. Written
    // by the thread that owns the window (the dialogs' the user-interface
    // thread, the overlays' the overlay thread); read by every thread.
    std::atomic<HWND> handle{nullptr};

    // The static procedure of the concrete class, which forwards every
    // message to T::Instance().
    virtual Procedure DialogProc() = 0;

    // Minimises and destroys the window, then forgets it. Safe on a window
    // that is already gone.
    void Close();

    // The window while the stored handle names a live window of this process
    // (a stale handle may have been reused by another program's window), else
    // NULL. Reads the handle once: act on the result, not on `handle` again.
    HWND Live() const;
    bool Exists() const { return Live() != nullptr; }

protected:
    Window() = default;
    ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
};

// True when the window is alive and belongs to this process. A stale handle
// may have been handed to a window of another program since; such a window
// must never be minimised or destroyed by us.
bool IsOwnWindow(HWND window);

// The static procedure of class T: Win32 calls it, it finds the one object
// (creating it if this message comes first) and forwards the message to it.
template <class T>
LRESULT CALLBACK StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return T::Instance().OnMessage(window, message, wParam, lParam);
}

}  // namespace gkr
