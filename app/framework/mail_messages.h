// The mail other threads post to the user-interface thread's mailbox
// (mailbox_win.h): what the worker found on the screen and in the input
// devices, what the player did to an overlay, what the overlay thread made,
// and what a force quit could not do. Each carries whole values only. Plain
// numbers (WM_APP is 0x8000) so that portable code and tests read them too.
#pragma once

namespace gkr {

// From the worker, each only when it changed since the last one posted.
constexpr unsigned kMailMaxHealth = 0x8000 + 0x40;  // wParam: the maximum health read (a signed 32-bit value)
constexpr unsigned kMailNotePanel = 0x8000 + 0x41;  // wParam: 1 while the game's note panel is seen, else 0
constexpr unsigned kMailInstrument = 0x8000 + 0x42; // wParam: the instrument's three notes (PackInstrument)
// From the worker, as they happen.
constexpr unsigned kMailNotesPlayed = 0x8000 + 0x43;  // wParam: the notes the panel shows (PackNotes)
constexpr unsigned kMailQuest = 0x8000 + 0x44;        // wParam: the AutoTimerAction; lParam: 1 to hide and reset the song sheet
constexpr unsigned kMailAction = 0x8000 + 0x45;       // wParam: a matched hotkey's action code
// From the overlay thread, as the player acts on an overlay.
constexpr unsigned kMailPanelClosed = 0x8000 + 0x46;  // the song panel's close box
constexpr unsigned kMailPanelMoved = 0x8000 + 0x47;   // wParam, lParam: its new place in the game's client area
constexpr unsigned kMailTimerClicked = 0x8000 + 0x48; // wParam: 1 restarts the clock, 0 stops it
// From the overlay thread, after a creation job.
constexpr unsigned kMailOverlaysMade = 0x8000 + 0x49;  // wParam: the kMade* bits of the overlays made
constexpr unsigned kMadeTimer = 1, kMadeEnergy = 2, kMadeSheet = 4;
// From the force quit's thread.
constexpr unsigned kMailGameNotEnded = 0x8000 + 0x4A;

constexpr unsigned kFirstMail = kMailMaxHealth, kLastMail = kMailGameNotEnded;

}  // namespace gkr
