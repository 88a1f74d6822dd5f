// The song-sheet panel's rules: which song a note panel shows, how long its
// effect runs, which songs an instrument can play, the row texts and when the
// panel must be repainted.
#include "overlays/song_effects.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "overlays/sheet_rows.h"
#include "settings/data_files.h"
#include "settings/xml_document.h"

namespace gkr {
namespace {

constexpr int64_t kFrequency = 1000;  // counter ticks per second
constexpr int64_t kSecond = kFrequency;

Sheet Song(std::vector<int32_t> notes, int32_t time1, int32_t time2, int32_t timeMax) {
    Sheet s;
    s.notes = std::move(notes);
    s.Effect1 = "effect";
    s.Time1 = time1;
    s.Time2 = time2;
    s.TimeMax = timeMax;
    s.NoteVal = NoteKey(s.notes);
    return s;
}

class EffectTimers : public ::testing::Test {
protected:
    EffectFace Play(int64_t at, bool master = false) {
        effects.OnPlay(song, at * kSecond, kFrequency, master);
        return effects.Face(song.NoteVal, at * kSecond, kFrequency);
    }
    Sheet song = Song({1, 6, 3}, 90, 60, 180);
    SongEffects effects;
};

TEST_F(EffectTimers, RepeatsExtendUpToTheMaximum) {
    EXPECT_EQ((EffectFace{kEffectFirstPlay, 90}), Play(1000));
    EXPECT_EQ((EffectFace{kEffectRepeated, 120}), Play(1030)) << "60 left + 60";
    EXPECT_EQ((EffectFace{kEffectRepeated, 179}), Play(1031)) << "119 + 60";
    EXPECT_EQ((EffectFace{kEffectRepeated, 180}), Play(1032)) << "178 + 60 capped at 180";
    EXPECT_EQ((EffectFace{kEffectRepeated, 1}), effects.Face(song.NoteVal, 1211 * kSecond - 1, kFrequency));
    EXPECT_EQ(EffectFace{}, effects.Face(song.NoteVal, 1211 * kSecond + kSecond / 2, kFrequency))
        << "less than a whole second left shows as idle";
}

TEST_F(EffectTimers, FluteMasterLengthensEveryDurationByHalf) {
    EXPECT_EQ(135, Play(1000, true).secondsLeft);
    EXPECT_EQ(195, Play(1030, true).secondsLeft) << "min(270, 105 + 90)";
}

TEST_F(EffectTimers, AReplayAfterTheEffectRanOutIsAFirstPlay) {
    Play(1000);
    // No row looked at it in between: the timer itself must know it ran out.
    EXPECT_EQ((EffectFace{kEffectFirstPlay, 90}), Play(1200));
}

TEST_F(EffectTimers, ExtremeDurationsNeverOverflow) {
    song = Song({2}, INT32_MAX, INT32_MAX, INT32_MAX);
    EXPECT_EQ(int64_t{INT32_MAX} * 3 / 2, Play(1000, true).secondsLeft);
    EXPECT_EQ(int64_t{INT32_MAX} * 3 / 2, Play(1001, true).secondsLeft) << "capped at TimeMax x 1.5";
    song = Song({3}, INT32_MIN, INT32_MIN, INT32_MIN);
    EXPECT_EQ(EffectFace{}, Play(1000, true)) << "a negative duration is idle at once";
}

TEST_F(EffectTimers, RelistKeepsTheTimersOfSongsThatStay) {
    const Sheet other = Song({6, 1}, 30, 30, 60), gone = Song({2, 7, 4}, 60, 30, 120);
    effects.Reset({&song, &gone});
    Play(1000);
    effects.OnPlay(gone, 1000 * kSecond, kFrequency, false);
    effects.Relist({&other, &song});
    EXPECT_EQ(80, effects.Face(song.NoteVal, 1010 * kSecond, kFrequency).secondsLeft);
    EXPECT_EQ(nullptr, effects.Find(gone.NoteVal));
    EXPECT_EQ(kEffectIdle, effects.Find(other.NoteVal)->state);
    effects.Reset({&song});
    EXPECT_EQ(EffectFace{}, effects.Face(song.NoteVal, 1010 * kSecond, kFrequency)) << "a reset stops every effect";
}

// Walking from one face change to the next visits every second the row shows
// exactly at the tick it appears, down to idle, and then nothing is due: with
// durations that are not whole seconds and a counter rate that is not a
// round number, where rounding would show.
TEST(EffectFaceChanges, EachChangeIsNamedToTheTickUntilTheEffectEnds) {
    const int64_t f = 3579545;
    const Sheet a = Song({1, 6, 3}, 61, 7, 100), b = Song({6, 1}, 3, 3, 9);
    SongEffects effects;
    EXPECT_FALSE(effects.NextFaceChange(0, f).has_value()) << "nothing played";
    const int64_t start = 987654321;
    effects.OnPlay(a, start, f, true);          // 91.5 s
    effects.OnPlay(b, start + f / 3, f, true);  // 4.5 s, a third of a second later
    const auto faces = [&](int64_t at) {
        return std::vector<EffectFace>{effects.Face(a.NoteVal, at, f), effects.Face(b.NoteVal, at, f)};
    };
    int64_t now = start + f / 3;
    int changes = 0;
    while (const std::optional<int64_t> next = effects.NextFaceChange(now, f)) {
        ASSERT_GT(*next, now);
        EXPECT_EQ(faces(now), faces(*next - 1)) << "changed before the named tick";
        ASSERT_NE(faces(now), faces(*next)) << "no change at the named tick";
        now = *next;
        ASSERT_LT(++changes, 200);
    }
    EXPECT_EQ(91 + 4, changes);  // 91 s .. 1 s then idle, and 4 s .. 1 s then idle
    EXPECT_EQ(faces(now), faces(now + 1000 * f));
}

TEST(PlayedSong, NotesAreReadInPlayingOrderAndTheLongestEndingWins) {
    SongSheets sheets;
    TiXmlDocument document;
    ASSERT_TRUE(ParseDataText("<Song>"
                              "<Sheet Effect1=\"a\"><Note Value=\"3\"/><Note Value=\"1\"/><Note Value=\"2\"/></Sheet>"
                              "<Sheet Effect1=\"b\"><Note Value=\"1\"/><Note Value=\"2\"/></Sheet>"
                              "<Sheet Effect1=\"c\"><Note Value=\"4\"/><Note Value=\"4\"/></Sheet>"
                              "<Sheet Effect1=\"d\"><Note Value=\"4\"/><Note Value=\"4\"/><Note Value=\"4\"/></Sheet>"
                              "</Song>",
                              document));
    sheets.Read(document, DigitGrouping::None());
    sheets.ComputeKeys();
    auto effectOf = [&](std::initializer_list<int32_t> shown) {
        int32_t notes[5] = {};
        std::copy(shown.begin(), shown.end(), notes);
        const Sheet* song = FindPlayedSong(sheets, notes);
        return song ? song->Effect1 : std::string("none");
    };
    EXPECT_EQ("a", effectOf({2, 1, 3})) << "shown most recent first: 3-1-2";
    EXPECT_EQ("b", effectOf({2, 1, 5})) << "5-1-2 is no song, its ending 1-2 is";
    EXPECT_EQ("none", effectOf({7, 6}));
    EXPECT_EQ("c", effectOf({4, 4})) << "two equal notes are looked up";
    EXPECT_EQ("none", effectOf({4, 4, 4})) << "three equal notes never are";
    EXPECT_EQ("none", effectOf({4, 4, 4, 4}));
    EXPECT_EQ("none", effectOf({}));
}

TEST(PlayableSongs, OnlySongsOfTheInstrumentsThreeNotesWithAnEffect) {
    SongSheets sheets;
    LoadSongSheets(sheets, GKR_SOURCE_DIR "/samples/SData.xml");
    sheets.ComputeKeys();
    SheetList list = *sheets.Snapshot();
    list.push_back(Song({1, 3}, 1, 1, 1));
    list.back().Effect1.clear();
    std::vector<std::vector<int32_t>> notes;
    for (const Sheet* s : PlayableSongs(list, 1, 6, 3)) notes.push_back(s->notes);
    const std::vector<std::vector<int32_t>> expected = {{1, 6, 3}, {3, 3, 1, 6}, {6, 1}, {1, 3, 6, 1}};
    EXPECT_EQ(expected, notes) << "database order; the song without an effect is left out";
    EXPECT_TRUE(PlayableSongs(list, 0, 0, 0).empty());
}

TEST(SheetRows, TextsAreBuiltWholeAndCutWhereShown) {
    EXPECT_EQ(L"\u3000 00:00 공격", SheetRowText(EffectFace{}, L"공격"));
    EXPECT_EQ(L"\u266A 01:30 a", SheetRowText(EffectFace{kEffectFirstPlay, 90}, L"a"));
    EXPECT_EQ(L"\u266C 150:05 a", SheetRowText(EffectFace{kEffectRepeated, 9005}, L"a")) << "minutes not wrapped";
    EXPECT_EQ(L"\u3000 00:05 a", SheetRowText(EffectFace{99, 5}, L"a")) << "an unknown state shows the idle mark";
    const std::wstring row = SheetRowText(EffectFace{}, std::wstring(500, L'x'));
    EXPECT_EQ(kMaxRowText, row.size());
    const std::wstring pair = {L'a', L'b', wchar_t(0xD83C), wchar_t(0xDFB5)};  // UTF-16, as on Windows
    EXPECT_EQ(L"ab", CutText(pair, 3)) << "never half a surrogate pair";
    EXPECT_EQ(L"abc", CutText(L"abc", 3));
}

TEST(SheetRows, RepaintOnlyWhenARowWouldChange) {
    SheetRepaint repaint;
    const std::vector<EffectFace> a = {EffectFace{}, EffectFace{kEffectFirstPlay, 90}};
    EXPECT_TRUE(repaint.Due(a));
    EXPECT_FALSE(repaint.Due(a));
    EXPECT_TRUE(repaint.Due({EffectFace{}, EffectFace{kEffectFirstPlay, 89}}));
    EXPECT_TRUE(repaint.Due({EffectFace{}, EffectFace{kEffectRepeated, 89}}));
    repaint.Invalidate();
    EXPECT_TRUE(repaint.Due({EffectFace{}, EffectFace{kEffectRepeated, 89}}));
    EXPECT_TRUE(repaint.Due({})) << "a rebuild that empties the list";
}

}  // namespace
}  // namespace gkr
