// What the user-interface thread does with its mail (mail_messages.h): it
// stores what the worker read and shows it, runs the hotkey actions, and
// carries out what the player did to an overlay. The manager dialog, the
// mailbox, hands every mail here.
#pragma once

#include <windows.h>

namespace gkr {

// True when `message` was mail (and has been acted on).
bool ReceiveMail(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace gkr
