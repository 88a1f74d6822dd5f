// The program's way up and down on the user-interface thread.
#pragma once

#include <windows.h>

namespace gkr {

// How long shutdown waits for the worker to finish its pass, and then for the
// overlay thread to close the overlays: together well under the two seconds a
// user may wait for the program to end.
constexpr DWORD kWorkerStopBoundMs = 1000;
constexpr DWORD kOverlayStopBoundMs = 600;

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
