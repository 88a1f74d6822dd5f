// The two periodic tasks that read the game's screen: the health gauge and the
// note-panel marker once a second, the notes in the note panel twice a second.
#pragma once

namespace gkr {

void TaskGameWatch();  // dispatch code -10
void TaskNotePanel();  // dispatch code -11

// Top-level overlays only: when the game window they sit over has moved,
// been minimised, restored, hidden or closed, hands the overlay thread the
// job of following it; once they stand at a new place the game watch runs at
// once. A few reads of the game window, no wait on it.
void TaskFollowGame();  // dispatch code -4

// Forgets what earlier passes learned (the note reading, the gauge's last
// sighting, the note panel's visibility, the look at the followed game), as
// at the program's start. The note reading alone starts afresh by itself
// whenever the passes turn to another game window.
void ResetGameWatch();

}  // namespace gkr
