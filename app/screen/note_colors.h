// The seven note colours of the game's flute songs, the names the song-sheet
// page shows for them, and the match of a captured colour against them.
#pragma once

#include <array>
#include <cstdint>

namespace gkr {

struct NoteColor {
    int32_t code;  // note value 1..7: 1-5 up/down notes, 6-7 left/right notes
    uint8_t r, g, b;
    const wchar_t* name;       // the page's combo boxes
    const wchar_t* shortName;  // the page's song list columns
};

extern const std::array<NoteColor, 7> NoteColorTable;

// The code whose reference colour is within 9 of `colorRef` (0x00BBGGRR) on
// every channel, or 0 when none is: screen colours are blended, not exact.
int32_t MatchNoteColor(uint32_t colorRef);

// The table entry of a code, or nullptr for anything but 1..7.
const NoteColor* FindNoteColor(int32_t code);

}  // namespace gkr
