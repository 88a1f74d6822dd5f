// What the manager's game buttons do: end the game by force, put its window
// on top and release it, start it through the portal's login page, open the
// home page. A game that does not answer never holds the manager: nothing
// here waits on the game's window for longer than kGameSendTimeoutMs, and the
// force quit, which waits for the game's end, runs on a thread of its own.
#pragma once

#include <windows.h>

#include "app/game/process_api_win.h"

namespace gkr {

constexpr UINT kGameSendTimeoutMs = 1000;
// How long the game gets to come to the front before it is closed.
constexpr DWORD kForceQuitSettleMs = 500;
// The longest a force quit takes: the settle time, three bounded sends, the
// game's grace time and the wait for its end once terminated, with a second
// to spare for the lookups.
constexpr DWORD kForceQuitBoundMs =
    kForceQuitSettleMs + 3 * kGameSendTimeoutMs + kGameCloseGraceMs + kGameTerminatedWaitMs + 1000;

// Starts the force quit on its own thread and returns at once; does nothing
// while an earlier one still runs. False when none was started. When it
// could not end the game (a process it may not open or end, a window that
// stays), kMailGameNotEnded is posted to the user-interface thread.
bool StartForceQuit();
// The force quit itself (blocking): the game's window brought to the front,
// minimised, sent WM_CLOSE, WM_DESTROY and WM_NCDESTROY (each with a bound),
// then the process asked to close its windows and ended after its grace time.
// False when a game is still there afterwards.
bool ForceQuitGame(const ProcessApi& api);
// True while a force quit started by StartForceQuit runs.
bool ForceQuitRunning();
// Waits up to timeoutMs for a force quit started by StartForceQuit to end,
// answering the messages other threads send to the calling thread meanwhile.
// The way out calls it: a force quit the player asked for is not dropped
// because the manager was closed. True when none runs any more.
bool FinishForceQuit(DWORD timeoutMs);

// The shell (or Seams::openShell): Internet Explorer with the portal's login
// page, and the home page in the default browser. Each says whether the
// browser could be started.
bool LaunchGame();
bool OpenHomePage();

}  // namespace gkr
