// The worker's look at the keyboard and the gamepad, every third pass: each
// hotkey whose whole combination is held runs its action.
#pragma once

namespace gkr {

void PollInput();

}  // namespace gkr
