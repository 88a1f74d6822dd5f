// The two periodic tasks that read the game's screen: the health gauge and the
// note-panel marker once a second, the notes in the note panel twice a second.
// They run on the worker, which keeps what they learned, and post it to the
// user-interface thread (mail_messages.h).
#pragma once

namespace gkr {

void TaskGameWatch();  // dispatch code -10
void TaskNotePanel();  // dispatch code -11

// Top-level overlays only: when the game window they sit over has moved,
// been minimised, restored, hidden or closed, hands the overlay thread the
// job of following it; once they stand at a new place the job calls
// `readSoon` (on the overlay thread), which has the game watch run at once.
// A few reads of the game window, no wait on it.
void TaskFollowGame(void (*readSoon)());  // dispatch code -4

// Forgets what earlier passes learned (the note reading, the gauge's last
// sighting, the note panel's visibility, the look at the followed game) and
// what they posted, as at the program's start. The note reading alone starts
// afresh by itself whenever the passes turn to another game window.
void ResetGameWatch();

// Whether the last game-watch pass saw the note panel (the worker's own view:
// the note reading runs only while it is seen).
bool WorkerSeesNotePanel();

}  // namespace gkr
