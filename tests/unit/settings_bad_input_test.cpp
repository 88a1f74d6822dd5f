// Damaged, hostile or misplaced conf.xml files: loading never crashes, never
// writes, and keeps the start values for whatever it cannot read; a failed
// save leaves the previous file as it was.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "app/defaults.h"
#include "settings/data_files.h"
#include "settings/replace_file.h"
#include "settings/settings_file.h"
#include "settings/text_convert.h"
#include "settings/xml_document.h"
#include "settings_temp_dir.h"

namespace gkr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const DigitGrouping kKorean = DigitGrouping::Thousands(',');

class SettingsBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        StoreDefaultOptions(start_);
        startText_ = PrintSettings(start_, kKorean);
    }

    // Loads `bytes` as conf.xml into a record holding the start values and
    // checks the file was left exactly as it was, with nothing beside it.
    SettingsLoad LoadBytes(const std::string& bytes, Settings& s) {
        StoreDefaultOptions(s);
        const std::string path = dir_.File("conf.xml");
        WriteBytes(path, bytes);
        const SettingsLoad load = LoadSettings(s, path);
        EXPECT_EQ(bytes, ReadBytes(path)) << "loading changed the file";
        EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir_.Path()), {}));
        return load;
    }

    // The start values are all there, and the default hotkeys will follow.
    void ExpectStartValues(const Settings& s) {
        EXPECT_EQ(startText_, PrintSettings(s, kKorean));
        EXPECT_EQ(0u, s.accels.Size());
    }

    TempDir dir_;
    Settings start_;
    std::string startText_;
};

TEST_F(SettingsBadInput, MissingFileKeepsStartValues) {
    Settings s;
    StoreDefaultOptions(s);
    LoadSettings(s, dir_.File("conf.xml"));
    ExpectStartValues(s);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("conf.xml")));
}

TEST_F(SettingsBadInput, WrongRootNamesAreNotRead) {
    for (const char* root : {"setting", "Settings", "SETTING", "Settin", "Setting:x", "Setting-"}) {
        Settings s;
        LoadBytes(std::string("<") + root + " UseKey=\"0\" MaxHealth=\"99\"><Accel Name=\"a\" /></" + root + ">", s);
        ExpectStartValues(s);
    }
}

TEST_F(SettingsBadInput, GarbageAndEmptyFilesKeepStartValues) {
    const std::string inputs[] = {
        "", "\n\n", "not xml at all", "UseKey=\"0\"", "<", "<Setting", "</Setting>", "<?xml version=\"1.0\"?>",
        std::string("\0<Setting UseKey=\"0\" />", 23), "<!-- <Setting UseKey=\"0\" /> -->",
        "<![CDATA[<Setting UseKey=\"0\" />]]>", "\xff\xfe<\0S\0e\0t\0t\0i\0n\0g\0",
    };
    for (const std::string& input : inputs) {
        Settings s;
        LoadBytes(input, s);
        ExpectStartValues(s);
    }
}

TEST_F(SettingsBadInput, TruncatedFileKeepsWhatCameBeforeTheCut) {
    Settings full;
    StoreDefaultOptions(full);
    BuildDefaultActionList(full);
    full.MaxHealth = 30;
    const std::string text = PrintSettings(full, kKorean);
    const size_t cut = text.find("Num=\"3\"");
    Settings s;
    LoadBytes(text.substr(0, cut), s);
    EXPECT_EQ(30, s.MaxHealth);
    const AccelList accels = s.accels.Copy();
    ASSERT_EQ(4u, accels.size());  // entries 0..2 whole, the fourth cut after its name
    EXPECT_EQ(2, accels[2].num);
    EXPECT_EQ(full.accels.Copy()[3].name, accels[3].name);
    EXPECT_EQ(0, accels[3].num);
}

TEST_F(SettingsBadInput, NumbersOutOfRangeOrMalformedKeepTheirFields) {
    Settings s;
    LoadBytes("<Setting UseKey=\"4294967295\" UsePad=\"1e3\" DefaultKey=\"0x10\" MaxHealth=\"\xff\x31\" "
              "TimerSize=\"--5\" FluteWndX=\"2147483648\" FluteWndY=\"-2147483649\" />",
              s);
    ExpectStartValues(s);
}

TEST_F(SettingsBadInput, InvalidCodePage949NamesAreKeptByteForByte) {
    // Not converted while loading: shown with a replacement text, written back
    // unchanged, so nothing the user stored is lost.
    Settings s;
    const std::string name = "\xff\x80 bad \x81";
    LoadBytes("<Setting><Accel Name=\"" + name + "\" Num=\"0\" /><KeyConfig Name=\"\xc5\" Index=\"1\" /></Setting>", s);
    const AccelList accels = s.accels.Copy();
    ASSERT_EQ(1u, accels.size());
    EXPECT_EQ(name, accels[0].name);
    EXPECT_EQ(L"?", ToWideOr(accels[0].name, L"?"));
    EXPECT_NE(std::string::npos, PrintSettings(s, kKorean).find("Name=\"" + name + "\""));
    EXPECT_EQ(L"", ToWide(s.keyConfigs.at(0).name));  // a lone lead byte is dropped
}

TEST_F(SettingsBadInput, DeeplyNestedElementsAreRefusedWithoutCrashing) {
    std::string deep = "<Setting UseKey=\"0\">";
    for (int i = 0; i < 300000; ++i) deep += "<a>";
    Settings s;
    LoadBytes(deep, s);
    ExpectStartValues(s);

    std::string closed = "<Setting UseKey=\"0\">";
    for (int i = 0; i < 100; ++i) closed += "<Accel>";
    for (int i = 0; i < 100; ++i) closed += "</Accel>";
    closed += "</Setting>";
    Settings t;
    LoadBytes(closed, t);
    ExpectStartValues(t);
}

TEST_F(SettingsBadInput, ThousandsOfAttributesInOneTagAreRefused) {
    std::string wide = "<Setting UseKey=\"0\"";
    for (int i = 0; i < 50000; ++i) wide += " a" + std::to_string(i) + "=\"\"";
    wide += " />";
    Settings s;
    LoadBytes(wide, s);
    ExpectStartValues(s);
}

TEST_F(SettingsBadInput, FileBeyondThirtyTwoMegabytesIsNotRead) {
    std::string huge = "<Setting UseKey=\"0\">";
    huge += std::string(kMaxDataFileBytes, ' ');
    huge += "</Setting>";
    Settings s;
    EXPECT_EQ(SettingsLoad::NotWhole, LoadBytes(huge, s));
    ExpectStartValues(s);
}

TEST_F(SettingsBadInput, FolderNamedConfXmlIsNeitherReadNorReplaced) {
    std::filesystem::create_directory(dir_.File("conf.xml"));
    Settings s;
    StoreDefaultOptions(s);
    LoadSettings(s, dir_.File("conf.xml"));
    ExpectStartValues(s);
    EXPECT_FALSE(SaveSettings(s, dir_.File("conf.xml")));
    EXPECT_TRUE(std::filesystem::is_directory(dir_.File("conf.xml")));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir_.Path()), {}));
}

TEST_F(SettingsBadInput, PipeNamedConfXmlDoesNotBlockTheLoad) {
    // Opening a pipe without a writer would wait forever at start-up.
    ASSERT_EQ(0, mkfifo(dir_.File("conf.xml").c_str(), 0600));
    Settings s;
    StoreDefaultOptions(s);
    LoadSettings(s, dir_.File("conf.xml"));
    ExpectStartValues(s);
}

TEST_F(SettingsBadInput, PathThroughAFileIsUnreadable) {
    WriteBytes(dir_.File("plain"), "x");
    Settings s;
    StoreDefaultOptions(s);
    LoadSettings(s, dir_.File("plain/conf.xml"));
    ExpectStartValues(s);
}

class SettingsSave : public ::testing::Test {
protected:
    void SetUp() override {
        StoreDefaultOptions(old_);
        old_.MaxHealth = 11;
        StoreDefaultOptions(new_);
        BuildDefaultActionList(new_);
        new_.MaxHealth = 22;
        path_ = dir_.File("conf.xml");
        ASSERT_TRUE(SaveSettings(old_, path_));
        oldBytes_ = ReadBytes(path_);
    }

    size_t FilesInFolder() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}));
    }

    TempDir dir_;
    Settings old_;
    Settings new_;
    std::string path_;
    std::string oldBytes_;
};

TEST_F(SettingsSave, ReplacesTheFileAndLeavesNothingBeside) {
    EXPECT_TRUE(SaveSettings(new_, path_));
    EXPECT_EQ(PrintSettings(new_, UserDigitGrouping()), ReadBytes(path_));
    EXPECT_EQ(1u, FilesInFolder());
}

TEST_F(SettingsSave, MissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(SaveSettings(new_, dir_.File("missing/conf.xml")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("missing")));
    EXPECT_EQ(oldBytes_, ReadBytes(path_));
}

TEST_F(SettingsSave, ReadOnlyFileIsLeftAsItWas) {
    chmod(path_.c_str(), 0444);
    EXPECT_FALSE(SaveSettings(new_, path_));
    EXPECT_EQ(oldBytes_, ReadBytes(path_));
    EXPECT_EQ(1u, FilesInFolder());
    EXPECT_EQ(22, new_.MaxHealth);  // the record itself is untouched
}

TEST_F(SettingsSave, KeepsTheFilesPermissions) {
    chmod(path_.c_str(), 0640);
    ASSERT_TRUE(SaveSettings(new_, path_));
    struct stat st {};
    ASSERT_EQ(0, stat(path_.c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 0777u);
}

TEST_F(SettingsSave, InterruptedBeforeTheSwapLeavesTheOldFileReadable) {
    // A crash between writing the new contents and swapping them in.
    const std::string pending = WriteFileBeside(path_, PrintSettings(new_, kKorean));
    ASSERT_FALSE(pending.empty());
    EXPECT_EQ(oldBytes_, ReadBytes(path_));
    Settings loaded;
    StoreDefaultOptions(loaded);
    LoadSettings(loaded, path_);
    EXPECT_EQ(11, loaded.MaxHealth);

    ASSERT_TRUE(MoveFileOver(pending, path_));
    LoadSettings(loaded, path_);
    EXPECT_EQ(22, loaded.MaxHealth);
    EXPECT_EQ(1u, FilesInFolder());
}

TEST_F(SettingsSave, FailedSwapRemovesTheNewFile) {
    const std::string pending = WriteFileBeside(path_, "new");
    ASSERT_FALSE(pending.empty());
    std::filesystem::create_directory(dir_.File("folder"));
    WriteBytes(dir_.File("folder/keep"), "x");
    EXPECT_FALSE(MoveFileOver(pending, dir_.File("folder")));
    EXPECT_FALSE(std::filesystem::exists(pending));
    EXPECT_EQ(oldBytes_, ReadBytes(path_));
}

}  // namespace
}  // namespace gkr
