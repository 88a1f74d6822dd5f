// The program's way up and down on the user-interface thread.
#pragma once

#include <windows.h>

namespace gkr {

// How long shutdown waits for the worker to finish its pass, and then for the
// overlay thread to close the overlays; both waits together never take more
// than kThreadsStopBoundMs, so the program ends within a second of the
// player's request even when a hung game holds both threads.
constexpr DWORD kWorkerStopBoundMs = 1000;
constexpr DWORD kOverlayStopBoundMs = 600;
constexpr DWORD kThreadsStopBoundMs = 800;

// Starts the worker, creates and shows the manager dialog and registers the
// periodic tasks that follow the game watch. Always TRUE.
BOOL InitApplication(HINSTANCE instance);

// GetMessageW / TranslateMessage / DispatchMessageW until WM_QUIT; returns its
// exit code. No IsDialogMessageW: the dialogs have no keyboard navigation.
int RunMessageLoop();

// Stops the worker, answering what it sends to the windows meanwhile, then
// closes the overlays and stops their thread, then lets a force quit under
// way finish (within its own bound, kForceQuitBoundMs). Returns exitCode; if
// a thread cannot be stopped within its bound, ends the process with exitCode
// instead (see the definition).
int ShutDown(int exitCode);

}  // namespace gkr
