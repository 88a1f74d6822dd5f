#include "input/input_poll_win.h"

namespace gkr {

// Hotkey matching arrives with the input polling; until then a poll sees nothing.
void PollInput() {}

}  // namespace gkr
