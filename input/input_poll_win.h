// The worker's look at the keyboard and the gamepad, every 150 ms while some
// hotkey can match: each hotkey whose whole combination is held runs its action.
#pragma once

namespace gkr {

void PollInput();

// Whether a poll could match anything with the settings as they are now.
bool InputPollWanted();

}  // namespace gkr
