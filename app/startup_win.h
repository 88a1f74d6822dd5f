// The program's way up and down on the user-interface thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/start_plan.h"

namespace gkr {

// How long shutdown waits for the worker to finish its pass, and then for the
// overlay thread to close the overlays; both waits together never take more
// than kThreadsStopBoundMs, so the program ends within a second of the
// player's request even when a hung game holds both threads.
constexpr DWORD kWorkerStopBoundMs = 1000;
constexpr DWORD kOverlayStopBoundMs = 600;
constexpr DWORD kThreadsStopBoundMs = 800;

// The program's real start steps. The Windows tests fail one of them.
class ProgramStart : public StartSteps {
public:
    bool Run(StartStep step) override;
    void Undo(StartStep step) override;
    void Report(const wchar_t* text) override;  // TellPlayer

    // True when a step could not be undone within its bound.
    bool Stuck() const { return stuck_; }

private:
    bool stuck_ = false;
};

// Registers the periodic tasks (kStartupTasks), then starts the worker, the
// overlay thread and the manager dialog (shown). When a step fails, the player
// is told, what was started is stopped, the tasks are dropped again, and the
// result is FALSE: the caller
// ends with kStartFailedExitCode. (A thread that cannot be stopped ends the
// process with that code at once, before anything it may use is destroyed.)
BOOL InitApplication(HINSTANCE instance, ProgramStart& start);
BOOL InitApplication(HINSTANCE instance);

// GetMessageW / TranslateMessage / DispatchMessageW until WM_QUIT; returns its
// exit code. No IsDialogMessageW: the dialogs have no keyboard navigation.
int RunMessageLoop();

// Stops the worker (it finishes a pass under way), then
// closes the overlays and stops their thread, then lets a force quit under
// way finish (within its own bound, kForceQuitBoundMs). Returns exitCode; if
// a thread cannot be stopped within its bound, ends the process with exitCode
// instead (see the definition).
int ShutDown(int exitCode);

}  // namespace gkr
