// The worker's look at the keyboard and the gamepad, every third pass: the
// actions of the hotkeys whose whole combination is held, in the order the
// poll matched them. The caller runs them; input knows nothing of what they do.
#pragma once

#include <cstdint>
#include <vector>

namespace gkr {

std::vector<int32_t> PollInput();

}  // namespace gkr
