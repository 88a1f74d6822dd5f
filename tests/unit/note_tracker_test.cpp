#include "app/screen/note_tracker.h"

#include <initializer_list>

#include <gtest/gtest.h>

#include "app/screen/note_colors.h"

namespace gkr {
namespace {

// A framed reading showing the given note codes in their reference colours;
// code 0 stands for a colour that matches no note.
NoteSlots Reading(std::initializer_list<int32_t> codes) {
    NoteSlots slots;
    slots.framed = true;
    for (int32_t code : codes) {
        const NoteColor* c = FindNoteColor(code);
        slots.colors[slots.filled++] = c ? (uint32_t(c->r) | uint32_t(c->g) << 8 | uint32_t(c->b) << 16) : 0x808080;
    }
    return slots;
}

NoteCodes Codes(std::initializer_list<int32_t> codes) {
    NoteCodes out{};
    int i = 0;
    for (int32_t c : codes) out[i++] = c;
    return out;
}

TEST(RecentNoteCodes, HoldsThreeDistinctCodesOldestFirst) {
    RecentNoteCodes recent;
    EXPECT_TRUE(recent.Add(4));
    EXPECT_TRUE(recent.Add(1));
    EXPECT_FALSE(recent.Add(4));  // keeps its place
    EXPECT_TRUE(recent.Add(7));
    ASSERT_EQ(3u, recent.Size());
    EXPECT_EQ(4, recent[0]);
    EXPECT_EQ(1, recent[1]);
    EXPECT_EQ(7, recent[2]);

    EXPECT_TRUE(recent.Add(2));  // evicts 4
    ASSERT_EQ(3u, recent.Size());
    EXPECT_EQ(1, recent[0]);
    EXPECT_EQ(7, recent[1]);
    EXPECT_EQ(2, recent[2]);
    EXPECT_FALSE(recent.Contains(4));
}

TEST(NotePanelTracker, SongPlayedNoteByNoteHandsOnEachNewRow) {
    NotePanelTracker tracker;
    NotePanelUpdate u1 = tracker.OnReading(Reading({4}));
    EXPECT_TRUE(u1.notesChanged);
    EXPECT_EQ(Codes({4}), u1.notes);

    NotePanelUpdate u2 = tracker.OnReading(Reading({4, 1}));
    EXPECT_TRUE(u2.notesChanged);
    EXPECT_EQ(Codes({4, 1}), u2.notes);
    EXPECT_EQ(2, tracker.LastNoteCount());
}

TEST(NotePanelTracker, LowerCountIsIgnoredUnlessZeroOrFour) {
    NotePanelTracker tracker;
    tracker.OnReading(Reading({4, 1, 4}));
    NotePanelUpdate ignored = tracker.OnReading(Reading({2}));
    EXPECT_FALSE(ignored.notesChanged);
    EXPECT_EQ(3, tracker.LastNoteCount());
    EXPECT_EQ(Codes({4, 1, 4}), tracker.LastNotes());
    EXPECT_FALSE(tracker.Recent().Contains(2));

    NotePanelUpdate cleared = tracker.OnReading(Reading({}));
    EXPECT_TRUE(cleared.notesChanged);
    EXPECT_EQ(Codes({}), cleared.notes);
    EXPECT_EQ(0, tracker.LastNoteCount());

    tracker.OnReading(Reading({1, 1, 1, 1}));
    NotePanelUpdate four = tracker.OnReading(Reading({2, 2, 2, 2}));
    EXPECT_TRUE(four.notesChanged);
    EXPECT_EQ(4, tracker.LastNoteCount());
}

TEST(NotePanelTracker, SameNotesAgainAreNotHandedOnTwice) {
    NotePanelTracker tracker;
    tracker.OnReading(Reading({5, 5, 5, 5}));
    EXPECT_FALSE(tracker.OnReading(Reading({5, 5, 5, 5})).notesChanged);
}

TEST(NotePanelTracker, UnmatchedColourIsAFilledSlotWithCodeZero) {
    NotePanelTracker tracker;
    NotePanelUpdate u = tracker.OnReading(Reading({0, 1}));
    EXPECT_EQ(2, tracker.LastNoteCount());
    EXPECT_EQ(Codes({0, 1}), u.notes);
    EXPECT_EQ(1u, tracker.Recent().Size());
}

TEST(NotePanelTracker, UnframedReadingChangesNothing) {
    NotePanelTracker tracker;
    tracker.OnReading(Reading({4, 1}));
    NoteSlots unframed = Reading({2, 3, 5});
    unframed.framed = false;
    NotePanelUpdate u = tracker.OnReading(unframed);
    EXPECT_FALSE(u.notesChanged);
    EXPECT_FALSE(u.learned);
    EXPECT_EQ(2, tracker.LastNoteCount());
}

TEST(NotePanelTracker, LearnsTheInstrumentFromThreeDistinctNotes) {
    NotePanelTracker tracker;
    EXPECT_FALSE(tracker.OnReading(Reading({4})).learned);
    EXPECT_FALSE(tracker.OnReading(Reading({4, 1})).learned);
    EXPECT_FALSE(tracker.OnReading(Reading({4, 1, 4})).learned);
    NotePanelUpdate full = tracker.OnReading(Reading({4, 1, 4, 7}));
    ASSERT_TRUE(full.learned);
    EXPECT_EQ(1, full.instrument.up);
    EXPECT_EQ(4, full.instrument.down);
    EXPECT_EQ(7, full.instrument.side);

    // Nothing new: the page is not refreshed again.
    tracker.OnReading(Reading({}));
    EXPECT_FALSE(tracker.OnReading(Reading({7})).learned);

    NotePanelUpdate evicted = tracker.OnReading(Reading({7, 2}));
    ASSERT_TRUE(evicted.learned);
    EXPECT_EQ(1, evicted.instrument.up);
    EXPECT_EQ(2, evicted.instrument.down);
    EXPECT_EQ(7, evicted.instrument.side);
}

TEST(NotePanelTracker, HiddenPanelForgetsCountAndColoursButKeepsTheLastNotes) {
    NotePanelTracker tracker;
    tracker.OnReading(Reading({4, 1, 7}));
    tracker.OnPanelHidden();
    EXPECT_EQ(0, tracker.LastNoteCount());
    EXPECT_EQ(0u, tracker.Recent().Size());
    EXPECT_EQ(Codes({4, 1, 7}), tracker.LastNotes());

    // The same row shown again is accepted (count restarts) but not re-sent.
    NotePanelUpdate again = tracker.OnReading(Reading({4, 1, 7}));
    EXPECT_FALSE(again.notesChanged);
    EXPECT_EQ(3, tracker.LastNoteCount());
    EXPECT_TRUE(again.learned);
}

}  // namespace
}  // namespace gkr
