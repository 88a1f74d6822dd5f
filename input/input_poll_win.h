// The worker's look at the keyboard and the gamepad, every 150 ms while some
// hotkey can match: the actions of the hotkeys whose whole combination is
// held, in the order the poll matched them. The caller runs them; input
// knows nothing of what they do.
#pragma once

#include <cstdint>
#include <vector>

#include "input/hotkey_poll.h"

namespace gkr {

// The worker's poll and what it keeps between polls (when to ask a silent
// pad again): written and read by the worker alone.
class InputPoll {
public:
    std::vector<int32_t> Poll();

private:
    HotkeyPoller poller_;
};

// Whether a poll could match anything with the settings as they are now.
bool InputPollWanted();

}  // namespace gkr
