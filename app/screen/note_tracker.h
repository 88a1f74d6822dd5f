// Follows the note panel from one reading to the next: which readings count,
// which notes go to the song-sheet overlay, and which three note colours the
// player's instrument uses (learned from the last three distinct notes seen).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/screen/note_panel.h"

namespace gkr {

// Up to three distinct note codes, oldest first.
class RecentNoteCodes {
public:
    static constexpr size_t kCapacity = 3;

    // Appends a code not yet held, evicting the oldest when full. A code
    // already held keeps its place. Returns whether the list changed.
    bool Add(int32_t code);
    void Clear() { size_ = 0; }

    size_t Size() const { return size_; }
    int32_t operator[](size_t i) const { return codes_[i]; }
    bool Contains(int32_t code) const;

private:
    std::array<int32_t, kCapacity> codes_{};
    size_t size_ = 0;
};

// The instrument's three note colours, smallest code up, largest at the side.
struct InstrumentNotes {
    int32_t up = 0;
    int32_t down = 0;
    int32_t side = 0;
};

// Up to four note codes followed by zeros, as the song-sheet overlay takes them.
using NoteCodes = std::array<int32_t, 5>;

// The notes and the instrument as one 32-bit word each, so that each crosses
// to another thread as one value: a code (0..7) in each byte, first note or
// the up note lowest.
uint32_t PackNotes(const NoteCodes& notes);
NoteCodes UnpackNotes(uint32_t word);
uint32_t PackInstrument(const InstrumentNotes& instrument);
InstrumentNotes UnpackInstrument(uint32_t word);

struct NotePanelUpdate {
    bool notesChanged = false;  // hand `notes` to the song-sheet overlay
    NoteCodes notes{};
    bool learned = false;  // `instrument` is new: store it and refresh the page
    InstrumentNotes instrument;
};

class NotePanelTracker {
public:
    // The panel is not on screen: forget the count and the recent colours.
    // The last notes are kept, so the same song shown again is not re-sent.
    void OnPanelHidden();

    NotePanelUpdate OnReading(const NoteSlots& slots);

    int32_t LastNoteCount() const { return lastNoteCount_; }
    const NoteCodes& LastNotes() const { return lastNotes_; }
    const RecentNoteCodes& Recent() const { return recent_; }

private:
    // The game fills the slots one by one while a song is played and clears
    // them all at its end; a lower count in between is a half-drawn frame.
    bool Accepts(int filled) const;

    int32_t lastNoteCount_ = 0;
    NoteCodes lastNotes_{};
    RecentNoteCodes recent_;
};

}  // namespace gkr
