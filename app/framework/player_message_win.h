// Telling the player, in a message box, that something they rely on failed.
// The box is a seam: the Windows tests put a recorder in its place, as they do
// with the shell opener, because no one is there to click it.
#pragma once

namespace gkr {

using PlayerMessageBox = void (*)(const wchar_t* text);

// Shows `text` in a message box over every window (modal, one OK button).
void TellPlayer(const wchar_t* text);

// nullptr: the system's message box again.
void SetPlayerMessageBox(PlayerMessageBox box);

}  // namespace gkr
