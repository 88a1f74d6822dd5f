// The program's start, in three steps that each may fail: the worker thread,
// the overlay thread and the manager dialog. Without any one of them the
// program cannot do its work safely (without the overlay thread a hung game
// would hold the manager), so a failed step ends the start: what was started
// is stopped again, newest first, the player is told which step failed, and
// the program ends with kStartFailedExitCode.
#pragma once

namespace gkr {

enum class StartStep { Worker, OverlayThread, ManagerDialog };

constexpr int kStartFailedExitCode = 1;

class StartSteps {
public:
    virtual bool Run(StartStep step) = 0;   // true when the step is done
    virtual void Undo(StartStep step) = 0;  // only for steps that were done
    virtual void Report(const wchar_t* text) = 0;

protected:
    ~StartSteps() = default;
};

// Runs the steps in order. True when all are done.
bool RunStartSteps(StartSteps& steps);

// What the player reads when `step` fails (Korean, the program's language).
const wchar_t* StartFailureText(StartStep step);

}  // namespace gkr
