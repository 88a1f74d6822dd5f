// Messages the overlays and their pages understand beyond the system's own.
// Plain numbers (WM_APP is 0x8000) so that tests outside the program, and the
// portable code, read them from here without <windows.h>.
#pragma once

namespace gkr {

// To an overlay, posted: rebuild the window region (the screen reading's
// origin, the user's offsets, moved).
constexpr unsigned kReshapeOverlayMessage = 0x8000 + 0x20;

// To the timer overlay, sent by anyone (tests, tools): a read-only question.
// The answer is 1 while the clock runs, plus twice the number of seconds on
// its face (hours * 3600 + minutes * 60 + seconds).
constexpr unsigned kTimerStateQuery = 0x8000 + 0x21;

// To an overlay, posted by the worker when the face it shows changed: the
// overlay draws itself at once into a window DC, without an invalidation and
// the WM_PAINT that would follow (see the README for what that saves). To the
// timer, lParam hands over the face to show (PackClockFace).
constexpr unsigned kRepaintOverlayMessage = 0x8000 + 0x23;

// To a top-level overlay, sent by itself: the player has just moved it by
// its caption.
constexpr unsigned kOverlayMovedByPlayerMessage = 0x8000 + 0x24;

}  // namespace gkr
