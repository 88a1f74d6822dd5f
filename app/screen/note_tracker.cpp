#include "app/screen/note_tracker.h"

#include <algorithm>

#include "app/screen/note_colors.h"

namespace gkr {

bool RecentNoteCodes::Contains(int32_t code) const {
    return std::find(codes_.begin(), codes_.begin() + size_, code) != codes_.begin() + size_;
}

bool RecentNoteCodes::Add(int32_t code) {
    if (Contains(code)) return false;
    if (size_ == kCapacity) {
        std::move(codes_.begin() + 1, codes_.end(), codes_.begin());
        --size_;
    }
    codes_[size_++] = code;
    return true;
}

namespace {

static_assert(kNoteSlots <= 4, "four codes fill the word");

uint32_t CodeByte(int32_t code) { return static_cast<uint32_t>(code) & 0xFF; }
int32_t ByteCode(uint32_t word, int byte) { return static_cast<int32_t>((word >> (8 * byte)) & 0xFF); }

}  // namespace

uint32_t PackNotes(const NoteCodes& notes) {
    uint32_t word = 0;
    for (int i = 0; i < kNoteSlots; ++i) word |= CodeByte(notes[size_t(i)]) << (8 * i);
    return word;
}

NoteCodes UnpackNotes(uint32_t word) {
    NoteCodes notes{};
    for (int i = 0; i < kNoteSlots; ++i) notes[size_t(i)] = ByteCode(word, i);
    return notes;
}

uint32_t PackInstrument(const InstrumentNotes& n) {
    return CodeByte(n.up) | CodeByte(n.down) << 8 | CodeByte(n.side) << 16;
}

InstrumentNotes UnpackInstrument(uint32_t word) { return {ByteCode(word, 0), ByteCode(word, 1), ByteCode(word, 2)}; }

void NotePanelTracker::OnPanelHidden() {
    lastNoteCount_ = 0;
    recent_.Clear();
}

bool NotePanelTracker::Accepts(int filled) const {
    return filled == 0 || filled > lastNoteCount_ || filled == kNoteSlots;
}

NotePanelUpdate NotePanelTracker::OnReading(const NoteSlots& slots) {
    NotePanelUpdate update;
    if (!slots.framed || !Accepts(slots.filled)) return update;

    lastNoteCount_ = slots.filled;
    bool recentChanged = false;
    NoteCodes notes{};
    for (int i = 0; i < slots.filled; ++i) {
        const int32_t code = MatchNoteColor(slots.colors[i]);
        if (code == 0) continue;
        notes[i] = code;
        if (recent_.Add(code)) recentChanged = true;
    }

    if (!std::equal(notes.begin(), notes.begin() + kNoteSlots, lastNotes_.begin())) {
        lastNotes_ = notes;
        update.notesChanged = true;
        update.notes = notes;
    }

    if (recentChanged && recent_.Size() == RecentNoteCodes::kCapacity) {
        std::array<int32_t, RecentNoteCodes::kCapacity> sorted = {recent_[0], recent_[1], recent_[2]};
        std::sort(sorted.begin(), sorted.end());
        update.learned = true;
        update.instrument = InstrumentNotes{sorted[0], sorted[1], sorted[2]};
    }
    return update;
}

}  // namespace gkr
