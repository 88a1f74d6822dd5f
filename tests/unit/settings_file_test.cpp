#include "settings/settings_file.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "app/defaults.h"
#include "settings/data_files.h"
#include "settings/text_convert.h"
#include "settings/xml_document.h"
#include "settings_temp_dir.h"

namespace gkr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const DigitGrouping kKorean = DigitGrouping::Thousands(',');

// "타이머 시작" and "기본" (default) in code page 949.
const std::string kTimerStart949 = "\xc5\xb8\xc0\xcc\xb8\xd3 \xbd\xc3\xc0\xdb";
const std::string kBasic949 = "\xb1\xe2\xba\xbb";

// A record as the program has it at start: start values, empty lists.
void StartValues(Settings& s) { StoreDefaultOptions(s); }

void Read(Settings& s, const std::string& text, const DigitGrouping& grouping = kKorean) {
    TiXmlDocument document;
    ASSERT_TRUE(ParseDataText(text, document));
    ReadSettingsDocument(s, document, grouping);
}

// A record with something in every part: bindings, configurations, options
// away from their start values.
void FillRich(Settings& s) {
    StartValues(s);
    AccelList accels(3);
    accels[0].keys = {0x11, 0x10, 0x41};
    accels[0].pads = {3, -5};
    accels[0].name = kTimerStart949;
    accels[0].num = 0;
    accels[1].pads = {-16, 36};
    accels[1].name = "A & B <C> \"D\" 'E'";
    accels[1].num = 1;
    accels[2].keys = {0x7B};
    accels[2].name = "";
    accels[2].num = -7;
    s.accels.Publish(accels);
    s.keyConfigs = {{kBasic949, 0}, {"pvp", 3}};
    s.LastKey = 4;
    s.DefaultKey = 3;
    s.UseKeyBackup = 1;
    s.FluteWndX = 1024;
    s.FluteWndY = -20;
    s.TimerSize = 150;
    s.MaxHealth = 2500;
    s.OffsetX = -3;
    s.UpNote = 2;
    s.SideNote = 7;
    s.DownNote = 5;
}

TEST(SettingsFile, DefaultRecordIsWrittenExactlyAsTheGoldenFile) {
    Settings s;
    StartValues(s);
    BuildDefaultActionList(s);
    const std::string golden = ReadBytes(GKR_TEST_DATA_DIR "/conf-defaults.xml");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(golden, PrintSettings(s, kKorean));
    EXPECT_EQ(golden, PrintSettings(s, DigitGrouping::None()));  // no value reaches 1000
}

TEST(SettingsFile, PrintsWhatTinyXmlsOwnFileWriterPrints) {
    Settings s;
    FillRich(s);
    const std::string text = PrintSettings(s, kKorean);

    TempDir dir;
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    ASSERT_FALSE(document.Error()) << document.ErrorDesc();
    ASSERT_TRUE(document.SaveFile(dir.File("tinyxml.xml")));
    EXPECT_EQ(ReadBytes(dir.File("tinyxml.xml")), text);
}

TEST(SettingsFile, WritesChildrenAndAttributesInRecordOrder) {
    Settings s;
    FillRich(s);
    const std::string text = PrintSettings(s, kKorean);
    EXPECT_EQ(0u, text.find("<Setting UseKey=\"1\" UsePad=\"1\" MailBackup=\"0\" MailDelete=\"0\" MailRestore=\"0\" "
                            "LastKey=\"4\" DefaultKey=\"3\" UseX=\"1\""));
    EXPECT_NE(std::string::npos, text.find(" FluteWndX=\"1,024\" FluteWndY=\"-20\" "));
    EXPECT_NE(std::string::npos, text.find(" MaxHealth=\"2,500\" OffsetX=\"-3\" OffsetY=\"0\">\n"));
    const std::string firstAccel = "    <Accel Name=\"" + kTimerStart949 + "\" Num=\"0\">\n"
                                   "        <Key Code=\"17\" />\n"
                                   "        <Key Code=\"16\" />\n"
                                   "        <Key Code=\"65\" />\n"
                                   "        <Pad Button=\"3\" />\n"
                                   "        <Pad Button=\"-5\" />\n"
                                   "    </Accel>\n";
    EXPECT_NE(std::string::npos, text.find(firstAccel));
    // Hotkeys first, then the key configurations.
    EXPECT_LT(text.find("<Accel Name=\"\" Num=\"-7\">"), text.find("<KeyConfig Name=\"" + kBasic949 + "\" Index=\"0\" />"));
    EXPECT_EQ(text.size() - 11, text.rfind("</Setting>\n"));
}

TEST(SettingsFile, EscapesMarkupAndSwitchesQuotesAroundADoubleQuote) {
    Settings s;
    FillRich(s);
    const std::string text = PrintSettings(s, kKorean);
    EXPECT_NE(std::string::npos, text.find("Name='A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos;'"));
}

TEST(SettingsFile, EverythingReadsBackUnchanged) {
    Settings written;
    FillRich(written);
    Settings read;
    StartValues(read);
    Read(read, PrintSettings(written, kKorean));
    EXPECT_EQ(PrintSettings(written, kKorean), PrintSettings(read, kKorean));

    const AccelList accels = read.accels.Copy();
    ASSERT_EQ(3u, accels.size());
    EXPECT_EQ((std::vector<uint32_t>{0x11, 0x10, 0x41}), accels[0].keys);
    EXPECT_EQ((std::vector<int32_t>{3, -5}), accels[0].pads);
    EXPECT_EQ(kTimerStart949, accels[0].name);
    EXPECT_EQ("A & B <C> \"D\" 'E'", accels[1].name);
    EXPECT_EQ(-7, accels[2].num);
    ASSERT_EQ(2u, read.keyConfigs.size());
    EXPECT_EQ(kBasic949, read.keyConfigs[0].name);
    EXPECT_EQ(3, read.keyConfigs[1].index);
    EXPECT_EQ(1024, read.FluteWndX);
    EXPECT_EQ(2500, read.MaxHealth);
}

TEST(SettingsFile, NamesKeepBytesBelowBlankAndZero) {
    Settings written;
    StartValues(written);
    AccelList accels(1);
    accels[0].name = std::string("tab\tline\nzero\0end", 17);
    written.accels.Publish(accels);
    const std::string text = PrintSettings(written, kKorean);
    EXPECT_NE(std::string::npos, text.find("tab&#x09;line&#x0A;zero&#x00;end"));
    Settings read;
    Read(read, text);
    EXPECT_EQ(accels[0].name, read.accels.Copy().at(0).name);
}

TEST(SettingsFile, SavingTwiceWritesTheSameBytes) {
    Settings s;
    FillRich(s);
    TempDir dir;
    ASSERT_TRUE(SaveSettings(s, dir.File("conf.xml")));
    const std::string first = ReadBytes(dir.File("conf.xml"));
    ASSERT_TRUE(SaveSettings(s, dir.File("conf.xml")));
    EXPECT_EQ(first, ReadBytes(dir.File("conf.xml")));
    Settings loaded;
    StartValues(loaded);
    LoadSettings(loaded, dir.File("conf.xml"));
    EXPECT_EQ(3u, loaded.accels.Size());
}

TEST(SettingsLoad, MissingAttributesKeepTheirValues) {
    Settings s;
    StartValues(s);
    Read(s, "<Setting UseTimer=\"1\" MaxHealth=\"40\" />");
    EXPECT_EQ(1, s.UseTimer);
    EXPECT_EQ(40, s.MaxHealth);
    EXPECT_EQ(1, s.UseKey);
    EXPECT_EQ(-1, s.DefaultKey);
    EXPECT_EQ(100, s.TimerSize);
}

TEST(SettingsLoad, NumbersFollowTheLocaleGrouping) {
    Settings s;
    StartValues(s);
    Read(s, "<Setting UseKey=\"1,000\" UsePad=\"10,00\" UseX=\" 1\" UseY=\"1 \" UseZ=\"+\" DefaultKey=\"-1\" "
            "LastKey=\"4294967295\" MaxHealth=\"\" FluteWndX=\"-2,147,483,648\" FluteWndY=\"2147483647\" />");
    EXPECT_EQ(1000, s.UseKey);
    EXPECT_EQ(1, s.UsePad);
    EXPECT_EQ(1, s.UseX);
    EXPECT_EQ(1, s.UseY);
    EXPECT_EQ(1, s.UseZ);
    EXPECT_EQ(-1, s.DefaultKey);
    EXPECT_EQ(0, s.LastKey);
    EXPECT_EQ(10, s.MaxHealth);
    EXPECT_EQ(INT32_MIN, s.FluteWndX);
    EXPECT_EQ(INT32_MAX, s.FluteWndY);

    Settings plain;
    StartValues(plain);
    Read(plain, "<Setting UseKey=\"1,000\" />", DigitGrouping::None());
    EXPECT_EQ(1, plain.UseKey);
}

TEST(SettingsLoad, KeyAndPadWithoutUsableValueStillAddCodeZero) {
    Settings s;
    Read(s,
         "<Setting><Accel Name=\"x\" Num=\"2\"><Key /><Key Code=\"65\" /><Pad Button=\"oops\" />"
         "<Key Code=\"99999999999\" /><Pad Button=\"-3\" /></Accel></Setting>");
    const AccelList accels = s.accels.Copy();
    ASSERT_EQ(1u, accels.size());
    EXPECT_EQ((std::vector<uint32_t>{0, 65, 0}), accels[0].keys);
    EXPECT_EQ((std::vector<int32_t>{0, -3}), accels[0].pads);
    EXPECT_EQ(2, accels[0].num);
}

TEST(SettingsLoad, EntriesWithoutUsableNumbersGetZero) {
    Settings s;
    Read(s, "<Setting><Accel /><Accel Num=\"x\" /><KeyConfig /><KeyConfig Index=\"1,5\" Name=\"n\" /></Setting>");
    const AccelList accels = s.accels.Copy();
    ASSERT_EQ(2u, accels.size());
    EXPECT_EQ(0, accels[1].num);
    EXPECT_EQ("", accels[0].name);
    ASSERT_EQ(2u, s.keyConfigs.size());
    EXPECT_EQ(0, s.keyConfigs[1].index);
    EXPECT_EQ("n", s.keyConfigs[1].name);
}

TEST(SettingsLoad, OtherNamesAreIgnoredAndNotWrittenBack) {
    Settings s;
    StartValues(s);
    Read(s,
         "<Setting UseKey=\"0\" Colour=\"red\" usekey=\"5\">"
         "<!-- a note --><Hotkey Name=\"h\" /><accel Name=\"lower\" />text"
         "<Accel Name=\"a\" Num=\"1\" Extra=\"e\"><Code /><Key Code=\"9\" /><Pad><Key Code=\"8\" /></Pad></Accel>"
         "<KeyConfigs Name=\"k\" /><KeyConfig Name=\"k\" Index=\"4\" Extra=\"e\"><Key Code=\"1\" /></KeyConfig>"
         "</Setting>");
    EXPECT_EQ(0, s.UseKey);
    const AccelList accels = s.accels.Copy();
    ASSERT_EQ(1u, accels.size());
    EXPECT_EQ((std::vector<uint32_t>{9}), accels[0].keys);  // a Key inside a Pad is not the Accel's
    EXPECT_EQ((std::vector<int32_t>{0}), accels[0].pads);
    ASSERT_EQ(1u, s.keyConfigs.size());
    EXPECT_EQ(4, s.keyConfigs[0].index);

    const std::string text = PrintSettings(s, kKorean);
    for (const char* gone : {"Colour", "usekey", "Hotkey", "accel ", "Extra", "KeyConfigs", "<Code", "note", "text"}) {
        EXPECT_EQ(std::string::npos, text.find(gone)) << gone;
    }
}

TEST(SettingsLoad, OnlyTheFirstTopLevelSettingCounts) {
    Settings s;
    StartValues(s);
    Read(s,
         "<!-- saved --><Other><Setting UseKey=\"5\" /></Other>"
         "<Setting UseKey=\"0\"><Accel Name=\"first\" /></Setting>"
         "<Setting UseKey=\"7\"><Accel Name=\"second\" /></Setting>");
    EXPECT_EQ(0, s.UseKey);
    ASSERT_EQ(1u, s.accels.Size());
    EXPECT_EQ("first", s.accels.Copy()[0].name);
}

TEST(SettingsLoad, ASettingWithoutChildrenEmptiesBothLists) {
    Settings s;
    FillRich(s);
    Read(s, "<Setting UseKey=\"0\" />");
    EXPECT_EQ(0u, s.accels.Size());
    EXPECT_TRUE(s.keyConfigs.empty());
    EXPECT_EQ(2500, s.MaxHealth);  // options not in the file keep their values
}

TEST(SettingsLoad, NoKeyConfigurationsWriteNoElementAndReadBackEmpty) {
    Settings s;
    StartValues(s);
    BuildDefaultActionList(s);
    const std::string text = PrintSettings(s, kKorean);
    EXPECT_EQ(std::string::npos, text.find("KeyConfig"));
    Settings read;
    read.keyConfigs = {{"stale", 1}};
    Read(read, text);
    EXPECT_TRUE(read.keyConfigs.empty());
    EXPECT_EQ(8u, read.accels.Size());
}

TEST(SettingsLoad, KoreanNamesStayCodePage949Bytes) {
    Settings s;
    Read(s, ReadBytes(GKR_TEST_DATA_DIR "/conf-defaults.xml"));
    const AccelList accels = s.accels.Copy();
    ASSERT_EQ(8u, accels.size());
    EXPECT_EQ(kTimerStart949, accels[0].name);
    EXPECT_EQ(L"\ud0c0\uc774\uba38 \uc2dc\uc791", ToWide(accels[0].name));
    for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(i, accels[i].num);
}

TEST(SettingsLoad, TheHotkeyListIsNeverSeenHalfBuilt) {
    // The worker polls the list while the user-interface thread loads it: every
    // snapshot must be one whole list, the old or the new.
    Settings s;
    StartValues(s);
    std::string file = "<Setting>";
    for (int i = 0; i < 50; ++i) file += "<Accel Name=\"n\" Num=\"" + std::to_string(i) + "\"><Key Code=\"65\" /></Accel>";
    file += "</Setting>";
    TiXmlDocument big;
    ASSERT_TRUE(ParseDataText(file, big));
    TiXmlDocument small;
    ASSERT_TRUE(ParseDataText("<Setting><Accel Name=\"s\" /></Setting>", small));

    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::thread worker([&] {
        while (!stop) {
            const auto list = s.accels.Snapshot();
            const size_t n = list->size();
            if (n != 0 && n != 1 && n != 50) ++torn;
            for (size_t i = 0; i < n && n == 50; ++i) {
                if ((*list)[i].num != static_cast<int32_t>(i) || (*list)[i].keys.size() != 1) ++torn;
            }
        }
    });
    for (int round = 0; round < 300; ++round) ReadSettingsDocument(s, round % 2 ? small : big, kKorean);
    stop = true;
    worker.join();
    EXPECT_EQ(0, torn);
}

}  // namespace
}  // namespace gkr
