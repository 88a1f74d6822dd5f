// The worker's look at the keyboard and the gamepad, every 150 ms while some
// hotkey can match: the actions of the hotkeys whose whole combination is
// held, in the order the poll matched them. The caller runs them; input
// knows nothing of what they do.
#pragma once

#include <cstdint>
#include <vector>

namespace gkr {

std::vector<int32_t> PollInput();

// Whether a poll could match anything with the settings as they are now.
bool InputPollWanted();

}  // namespace gkr
