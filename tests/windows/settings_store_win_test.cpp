// conf.xml as the Windows build writes and replaces it.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/defaults.h"
#include "settings/data_files.h"
#include "settings/replace_file.h"
#include "settings/settings_file.h"
#include "settings/text_convert.h"
#include "settings_win_support.h"

namespace gkr {
namespace {

using testing::ReadBytes;
using testing::SourceDataFile;
using testing::WinTempDir;
using testing::WriteBytes;

std::string WithCrLf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

class SettingsStoreWin : public ::testing::Test {
protected:
    void SetUp() override {
        StoreDefaultOptions(defaults_);
        BuildDefaultActionList(defaults_);
        StoreDefaultOptions(changed_);
        BuildDefaultActionList(changed_);
        changed_.MaxHealth = 42;
        changed_.keyConfigs = {{"\xb1\xe2\xba\xbb", 2}};  // 기본
    }

    WinTempDir dir_;
    Settings defaults_;
    Settings changed_;
};

TEST_F(SettingsStoreWin, WritesTheGoldenFileWithCrLfLineEnds) {
    const std::string golden = ReadBytes(SourceDataFile("conf-defaults.xml"));
    ASSERT_FALSE(golden.empty()) << SourceDataFile("conf-defaults.xml");
    ASSERT_TRUE(SaveSettings(defaults_, dir_.File("conf.xml")));
    const std::string written = ReadBytes(dir_.File("conf.xml"));
    EXPECT_EQ(WithCrLf(golden), written);
    EXPECT_EQ(std::string::npos, written.find("\n\n"));
}

TEST_F(SettingsStoreWin, ReadsBackItsOwnCrLfFile) {
    ASSERT_TRUE(SaveSettings(changed_, dir_.File("conf.xml")));
    Settings loaded;
    StoreDefaultOptions(loaded);
    LoadSettings(loaded, dir_.File("conf.xml"));
    EXPECT_EQ(42, loaded.MaxHealth);
    ASSERT_EQ(8u, loaded.accels.Size());
    EXPECT_EQ(L"\ud0c0\uc774\uba38 \uc2dc\uc791", ToWide(loaded.accels.Copy()[0].name));
    ASSERT_EQ(1u, loaded.keyConfigs.size());
    EXPECT_EQ(L"\uae30\ubcf8", ToWide(loaded.keyConfigs[0].name));
}

TEST_F(SettingsStoreWin, ReplacesTheFileInTheCurrentFolderByItsBareName) {
    // The program saves "conf.xml" relative to its working folder.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.Path().c_str()));
    const bool first = SaveSettings(defaults_, "conf.xml");
    const bool second = SaveSettings(changed_, "conf.xml");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_EQ(ToCrLf(PrintSettings(changed_, UserDigitGrouping())), ReadBytes(dir_.File("conf.xml")));
    EXPECT_EQ(1, dir_.Count());  // nothing left beside it
}

TEST_F(SettingsStoreWin, AFileLockedByAnotherProgramCountsAsNotRead) {
    // Taken for a missing file, it would be replaced by the start values.
    ASSERT_TRUE(SaveSettings(changed_, dir_.File("conf.xml")));
    const std::string path = dir_.File("conf.xml");
    const std::wstring wide(path.begin(), path.end());
    HANDLE locked = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    Settings loaded;
    EXPECT_EQ(SettingsLoad::NotWhole, LoadSettings(loaded, path));
    CloseHandle(locked);
    EXPECT_EQ(SettingsLoad::Whole, LoadSettings(loaded, path));
}

TEST_F(SettingsStoreWin, ReadOnlyFileIsLeftAsItWas) {
    ASSERT_TRUE(SaveSettings(defaults_, dir_.File("conf.xml")));
    const std::string before = ReadBytes(dir_.File("conf.xml"));
    ASSERT_TRUE(SetFileAttributesA(dir_.File("conf.xml").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveSettings(changed_, dir_.File("conf.xml")));
    EXPECT_EQ(before, ReadBytes(dir_.File("conf.xml")));
    EXPECT_EQ(1, dir_.Count());
}

TEST_F(SettingsStoreWin, FolderNamedConfXmlAndMissingFolderFail) {
    ASSERT_TRUE(CreateDirectoryA(dir_.File("conf.xml").c_str(), nullptr));
    EXPECT_FALSE(SaveSettings(changed_, dir_.File("conf.xml")));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir_.File("conf.xml").c_str()));
    EXPECT_FALSE(SaveSettings(changed_, dir_.File("missing\\conf.xml")));
    EXPECT_EQ(1, dir_.Count());

    Settings loaded;
    StoreDefaultOptions(loaded);
    LoadSettings(loaded, dir_.File("conf.xml"));
    EXPECT_EQ(10, loaded.MaxHealth);
    EXPECT_EQ(0u, loaded.accels.Size());
}

TEST_F(SettingsStoreWin, InterruptedBeforeTheSwapLeavesTheOldFileReadable) {
    ASSERT_TRUE(SaveSettings(defaults_, dir_.File("conf.xml")));
    const std::string before = ReadBytes(dir_.File("conf.xml"));
    const std::string pending = WriteFileBeside(dir_.File("conf.xml"), "new contents");
    ASSERT_FALSE(pending.empty());
    EXPECT_EQ(before, ReadBytes(dir_.File("conf.xml")));
    Settings loaded;
    StoreDefaultOptions(loaded);
    LoadSettings(loaded, dir_.File("conf.xml"));
    EXPECT_EQ(8u, loaded.accels.Size());

    ASSERT_TRUE(MoveFileOver(pending, dir_.File("conf.xml")));
    EXPECT_EQ("new contents", ReadBytes(dir_.File("conf.xml")));
    EXPECT_EQ(1, dir_.Count());
}

}  // namespace
}  // namespace gkr
