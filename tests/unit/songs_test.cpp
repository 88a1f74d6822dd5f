#include "settings/song_sheets.h"

#include <cstring>
#include <set>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "settings/data_files.h"
#include "settings/text_convert.h"
#include "settings/xml_document.h"
#include "settings_temp_dir.h"

namespace gkr {
namespace {

const DigitGrouping kKorean = DigitGrouping::Thousands(',');

void Read(SongSheets& sheets, const std::string& text, const DigitGrouping& grouping = kKorean) {
    TiXmlDocument document;
    ASSERT_TRUE(ParseDataText(text, document));
    sheets.Read(document, grouping);
    sheets.ComputeKeys();
}

std::string SheetXml(const std::string& attributes, std::initializer_list<const char*> notes) {
    std::string xml = "<Sheet " + attributes + ">";
    for (const char* note : notes) xml += std::string("<Note Value=\"") + note + "\" />";
    return xml + "</Sheet>";
}

TEST(NoteKey, ReadsTheNotesAsOctalDigitsFirstNoteHighest) {
    EXPECT_EQ(115u, NoteKey({1, 6, 3}));
    EXPECT_EQ(0u, NoteKey({}));
    EXPECT_EQ(7u, NoteKey({7}));
    EXPECT_EQ(012345671u, NoteKey({1, 2, 3, 4, 5, 6, 7, 1}));
}

TEST(NoteKey, ElevenNotesWrapModulo2To32) {
    const std::vector<int32_t> notes = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    uint64_t exact = 0;
    for (int32_t n : notes) exact = exact * 8 + static_cast<uint64_t>(n);
    EXPECT_EQ(static_cast<uint32_t>(exact % (uint64_t(1) << 32)), NoteKey(notes));
}

TEST(SongSheets, ReadsSheetsInFileOrderWithComputedKeys) {
    SongSheets sheets;
    Read(sheets, "<Song>" + SheetXml("Effect1=\"a\" Effect2=\"b\" Time1=\"90\" Time2=\"60\" TimeMax=\"180\" NoteVal=\"9\"",
                                     {"1", "6", "3"}) +
                     SheetXml("Effect1=\"c\" Time1=\"1,200\"", {"2"}) + "</Song>");
    const auto list = sheets.Snapshot();
    ASSERT_EQ(2u, list->size());
    const Sheet& first = (*list)[0];
    EXPECT_EQ((std::vector<int32_t>{1, 6, 3}), first.notes);
    EXPECT_EQ("a", first.Effect1);
    EXPECT_EQ("b", first.Effect2);
    EXPECT_EQ(90, first.Time1);
    EXPECT_EQ(60, first.Time2);
    EXPECT_EQ(180, first.TimeMax);
    EXPECT_EQ(115u, first.NoteVal);  // whatever the file's NoteVal says
    EXPECT_EQ(1200, (*list)[1].Time1);
    EXPECT_EQ("", (*list)[1].Effect2);
    EXPECT_EQ(0, (*list)[1].TimeMax);
}

TEST(SongSheets, UnreadableValuesLeaveZeroesAndEmptyTexts) {
    SongSheets sheets;
    Read(sheets, "<Song>" + SheetXml("Time1=\"x\" Time2=\"4294967295\" TimeMax=\" 5\"", {"1", "x", "", "2,0"}) +
                     "<Sheet /></Song>");
    const auto list = sheets.Snapshot();
    ASSERT_EQ(2u, list->size());
    EXPECT_EQ((std::vector<int32_t>{1, 0, 0, 0}), (*list)[0].notes);
    EXPECT_EQ(0, (*list)[0].Time1);
    EXPECT_EQ(0, (*list)[0].Time2);
    EXPECT_EQ(0, (*list)[0].TimeMax);
    EXPECT_EQ("", (*list)[0].Effect1);
    EXPECT_TRUE((*list)[1].notes.empty());
    EXPECT_EQ(0u, (*list)[1].NoteVal);
}

TEST(SongSheets, SkipsEverythingButSheetsAndNotes) {
    SongSheets sheets;
    Read(sheets,
         "<!-- songs --><Song><sheet Effect1=\"lower\" /><Song><Sheet Effect1=\"nested\" /></Song>"
         "<Sheet Effect1=\"a\"><note Value=\"4\" /><Note Value=\"1\" /><Notes Value=\"2\" />"
         "<Group><Note Value=\"5\" /></Group>text</Sheet></Song><Song><Sheet Effect1=\"second song\" /></Song>");
    const auto list = sheets.Snapshot();
    ASSERT_EQ(1u, list->size());
    EXPECT_EQ("a", (*list)[0].Effect1);
    EXPECT_EQ((std::vector<int32_t>{1}), (*list)[0].notes);
}

TEST(SongSheets, AnotherRootGivesAnEmptyList) {
    for (const char* text : {"<song><Sheet Effect1=\"a\" /></song>", "<Songs><Sheet Effect1=\"a\" /></Songs>",
                             "<Sheet Effect1=\"a\" />", "", "garbage"}) {
        SongSheets sheets;
        TiXmlDocument document;
        ParseDataText(text, document);
        sheets.Read(document, kKorean);
        EXPECT_TRUE(sheets.Snapshot()->empty()) << text;
    }
}

TEST(FindSheetByNotes, MatchesWholeListsOnlyAndPrefersTheLast) {
    SongSheets sheets;
    Read(sheets, "<Song>" + SheetXml("Effect1=\"first\"", {"1", "6", "3"}) + SheetXml("Effect1=\"short\"", {"6", "3"}) +
                     SheetXml("Effect1=\"last\"", {"1", "6", "3"}) + SheetXml("Effect1=\"empty\"", {}) + "</Song>");
    const int32_t played[] = {1, 6, 3, 0};
    const Sheet* found = sheets.FindSheetByNotes(played);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ("last", found->Effect1);
    EXPECT_EQ(found->NoteVal, (*sheets.Snapshot())[0].NoteVal);  // one shared effect timer

    const int32_t tail[] = {6, 3, 0};
    ASSERT_NE(nullptr, sheets.FindSheetByNotes(tail));
    EXPECT_EQ("short", sheets.FindSheetByNotes(tail)->Effect1);
    const int32_t longer[] = {1, 6, 3, 1, 0};
    EXPECT_EQ(nullptr, sheets.FindSheetByNotes(longer));
    const int32_t prefix[] = {1, 6, 0};
    EXPECT_EQ(nullptr, sheets.FindSheetByNotes(prefix));
    EXPECT_EQ(nullptr, sheets.FindSheetByNotes(nullptr));
}

// A full panel hands over four notes with no 0 after them: the lookup must stop
// at four and not read on into whatever follows the buffer.
TEST(FindSheetByNotes, ReadsAtMostFourNotes) {
    SongSheets sheets;
    Read(sheets, "<Song>" + SheetXml("Effect1=\"four\"", {"4", "1", "7", "2"}) + "</Song>");
    const int32_t fullPanelThenGarbage[] = {4, 1, 7, 2, 5, 5, 0};
    const Sheet* found = sheets.FindSheetByNotes(fullPanelThenGarbage);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ("four", found->Effect1);
}

TEST(SongSheets, LoadKeepsTheListWhenTheFileCannotBeReadAndSaysWhy) {
    testing::TempDir dir;
    testing::WriteBytes(dir.File("SData.xml"), "<Song>" + SheetXml("Effect1=\"a\"", {"3"}) + "</Song>");
    SongSheets sheets;
    EXPECT_EQ(SongsLoad::Whole, LoadSongSheets(sheets, dir.File("SData.xml")));
    EXPECT_EQ(nullptr, SongsLoadNote(SongsLoad::Whole));
    ASSERT_EQ(1u, sheets.Snapshot()->size());
    EXPECT_EQ(SongsLoad::NoFile, LoadSongSheets(sheets, dir.File("missing.xml")));
    EXPECT_EQ(1u, sheets.Snapshot()->size());
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "<Song>";
    testing::WriteBytes(dir.File("deep.xml"), deep);
    EXPECT_EQ(SongsLoad::NotWhole, LoadSongSheets(sheets, dir.File("deep.xml")));
    EXPECT_EQ(1u, sheets.Snapshot()->size());

    // Saved as UTF-16 by an editor, either byte order: said so, not read as bytes.
    const std::string utf16le("\xFF\xFE<\0S\0o\0n\0g\0/\0>\0", 14), utf16be("\xFE\xFF\0<\0S\0o\0n\0g\0/\0>", 14);
    for (const std::string& bytes : {utf16le, utf16be}) {
        testing::WriteBytes(dir.File("wide.xml"), bytes);
        EXPECT_EQ(SongsLoad::Utf16, LoadSongSheets(sheets, dir.File("wide.xml")));
        EXPECT_EQ(1u, sheets.Snapshot()->size());
    }
    EXPECT_NE(nullptr, std::strstr(SongsLoadNote(SongsLoad::Utf16), "UTF-16"));
    // Read, but not all of it: what could be read is listed.
    testing::WriteBytes(dir.File("cut.xml"), "<Song>" + SheetXml("Effect1=\"b\"", {"3"}) + "<Sheet");
    EXPECT_EQ(SongsLoad::NotWhole, LoadSongSheets(sheets, dir.File("cut.xml")));
    testing::WriteBytes(dir.File("big.xml"), "<Song>" + SheetXml("Effect1=\"c\" Time1=\"99999999999\"", {"3"}) + "</Song>");
    EXPECT_EQ(SongsLoad::NotWhole, LoadSongSheets(sheets, dir.File("big.xml")));
    EXPECT_EQ("c", (*sheets.Snapshot())[0].Effect1);
}

TEST(SongSheets, EarlierSheetsStayValidWhenKeysAreRecomputed) {
    // The overlay keeps plain pointers into the list while the user-interface
    // thread may still be publishing; an older list must outlive them.
    SongSheets sheets;
    TiXmlDocument document;
    ASSERT_TRUE(ParseDataText("<Song>" + SheetXml("Effect1=\"a\"", {"1", "2"}) + "</Song>", document));
    sheets.Read(document, kKorean);
    const std::weak_ptr<const SheetList> earlier = sheets.Snapshot();
    const Sheet* before = &(*sheets.Snapshot())[0];
    sheets.ComputeKeys();
    EXPECT_FALSE(earlier.expired());
    EXPECT_EQ("a", before->Effect1);
    EXPECT_EQ(10u, (*sheets.Snapshot())[0].NoteVal);
}

TEST(SampleSongs, LoadWithKoreanEffectsAndDistinctKeys) {
    SongSheets sheets;
    LoadSongSheets(sheets, GKR_SOURCE_DIR "/samples/SData.xml");
    sheets.ComputeKeys();
    const auto list = sheets.Snapshot();
    ASSERT_GE(list->size(), 5u);
    std::set<uint32_t> keys;
    for (const Sheet& sheet : *list) {
        EXPECT_FALSE(ToWide(sheet.Effect1).empty());
        ToWide(sheet.Effect2);  // converts without error
        EXPECT_GT(sheet.Time1, 0);
        EXPECT_LE(sheet.Time1, sheet.TimeMax);
        for (int32_t note : sheet.notes) {
            EXPECT_GE(note, 1);
            EXPECT_LE(note, 7);
        }
        keys.insert(sheet.NoteVal);
    }
    EXPECT_EQ(list->size(), keys.size());
    EXPECT_EQ(L"\uacf5\uaca9\ub825 \uc99d\uac00", ToWide((*list)[0].Effect1));  // 공격력 증가
}

}  // namespace
}  // namespace gkr
