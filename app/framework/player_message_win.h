// Telling the player, in a message box, that something they rely on failed.
// The Windows tests take the texts through Seams::tellPlayer, as no one is
// there to click a box.
#pragma once

namespace gkr {

// Shows `text` in a message box over every window (modal, one OK button).
void TellPlayer(const wchar_t* text);

}  // namespace gkr
