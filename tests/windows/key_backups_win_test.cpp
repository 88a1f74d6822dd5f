// The key-configuration backups against the real registry and file system:
// where the install folder is read from, how files are replaced, and the
// page's commands that stand between the user's typing and the store.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/framework/contract.h"
#include "input/key_files_win.h"
#include "input/key_paths.h"
#include "input/keyconfig_dlg_win.h"
#include "resources/page_ids.h"
#include "settings/settings.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/test_seams.h"

namespace gkr {
namespace {

// The game's registry value in one view of HKEY_LOCAL_MACHINE, removed again
// (with the keys above it) at the end.
class InstallDirValue {
public:
    InstallDirValue(REGSAM view, DWORD type, const void* data, DWORD bytes) : view_(view) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGameRegistryKey, 0, nullptr, 0,
                                                 KEY_SET_VALUE | view, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, kGameInstallValue, 0, type, static_cast<const BYTE*>(data), bytes));
        RegCloseKey(key);
    }
    InstallDirValue(REGSAM view, const std::wstring& folder)
        : InstallDirValue(view, REG_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) {}
    ~InstallDirValue() {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kGameRegistryKey, view_, 0);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Drakmoor", view_, 0);
    }
    InstallDirValue(const InstallDirValue&) = delete;
    InstallDirValue& operator=(const InstallDirValue&) = delete;

private:
    REGSAM view_;
};

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                         &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

TEST(WinKeyFiles, InstallFolderComesFromThe32BitViewFirstAndOnlyAsText) {
    WinKeyFiles files;
    EXPECT_FALSE(files.ReadInstallDir());
    InstallDirValue native(KEY_WOW64_64KEY, L"C:\\Games\\Native");
    EXPECT_EQ(L"C:\\Games\\Native", files.ReadInstallDir().value_or(L"-"));
    {
        InstallDirValue wow(KEY_WOW64_32KEY, L"C:\\Games\\GKR");
        EXPECT_EQ(L"C:\\Games\\GKR", files.ReadInstallDir().value_or(L"-"));
    }
    const DWORD number = 42;
    InstallDirValue notText(KEY_WOW64_32KEY, REG_DWORD, &number, sizeof number);
    EXPECT_EQ(L"C:\\Games\\Native", files.ReadInstallDir().value_or(L"-"));
}

TEST(WinKeyFiles, CopiesReplaceWholeFilesAndSpareReadOnlyOnes) {
    testing::WinTempDir dir;
    WinKeyFiles files;
    const std::wstring source = Wide(dir.File("source.cfg")), target = Wide(dir.File("target.cfg"));
    testing::WriteBytes(dir.File("source.cfg"), std::string(70000, 'n'));
    testing::WriteBytes(dir.File("target.cfg"), "old");
    EXPECT_FALSE(files.CopyOver(source, target, false));
    EXPECT_EQ("old", testing::ReadBytes(dir.File("target.cfg")));
    EXPECT_TRUE(files.CopyOver(source, target, true));
    EXPECT_EQ(std::string(70000, 'n'), testing::ReadBytes(dir.File("target.cfg")));
    EXPECT_FALSE(files.CopyOver(Wide(dir.File("missing.cfg")), target, true));

    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files.CopyOver(source, target, true));
    EXPECT_FALSE(files.Remove(target));
    files.ClearReadOnly(target);
    EXPECT_TRUE(files.Remove(target));
    EXPECT_TRUE(files.Remove(target));  // already gone
    EXPECT_EQ(1, dir.Count()) << "a file written beside its target was left behind";
}

TEST(WinKeyFiles, AFolderOfAnyNameGetsWholeCopiesAndLosesOnlyStaleLeftovers) {
    testing::WinTempDir dir;
    testing::ScratchCurrentDirectory current;
    // "게임" and a letter that no ANSI code page of this test holds.
    const std::wstring game = Wide(dir.Path()) + L"\\\uAC8C\uC784 \u0905";
    const std::wstring keyFile = game + L"\\keyconfig.cfg", copies = Wide(current.File("key"));
    ASSERT_TRUE(CreateDirectoryW(game.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(copies.c_str(), nullptr));
    InstallDirValue value(KEY_WOW64_32KEY, game);
    WinKeyFiles files;
    testing::WriteBytes(dir.File("player.cfg"), "player");
    ASSERT_TRUE(files.CopyOver(Wide(dir.File("player.cfg")), keyFile, true));
    ASSERT_TRUE(files.CopyOver(keyFile, Wide(dir.File("back.cfg")), true));
    EXPECT_EQ("player", testing::ReadBytes(dir.File("back.cfg")));

    // Left by copies killed midway: of a process that is gone, of this one
    // (a copy may be under way), and files of other names.
    const std::wstring gone = L".4000001.tmp", own = L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const std::vector<std::wstring> stale = {keyFile + gone, copies + L"\\keyconfig-3.cfg" + gone,
                                             copies + L"\\keyconfig--1.pending" + gone};
    const std::vector<std::wstring> others = {keyFile + own, copies + L"\\keyconfig-3.cfg" + own,
                                              game + L"\\setup.cfg" + gone, copies + L"\\notes.txt" + gone};
    for (const std::wstring& path : stale) ASSERT_TRUE(files.WriteWhole(path, "x"));
    for (const std::wstring& path : others) ASSERT_TRUE(files.WriteWhole(path, "x"));
    RemoveStaleKeyFiles();
    for (const std::wstring& path : stale) EXPECT_FALSE(files.IsFile(path)) << Utf8(path);
    for (const std::wstring& path : others) EXPECT_TRUE(files.IsFile(path)) << Utf8(path);

    // The narrow helpers cannot name this folder: emptied and removed here.
    for (const std::wstring& path : {keyFile, keyFile + own, game + L"\\setup.cfg" + gone}) files.Remove(path);
    EXPECT_TRUE(RemoveDirectoryW(game.c_str())) << "a file written beside its target was left behind";
}

TEST(WinKeyFiles, ATargetAtThePathLimitIsReplacedThoughItsTemporaryNameIsLonger) {
    testing::WinTempDir dir;
    WinKeyFiles files;
    const std::wstring base = Wide(dir.Path()) + L"\\";
    const std::wstring folder = base + std::wstring(kMaxPathLength - base.size() - 14, L'g');
    const std::wstring target = JoinPath(folder, L"keyconfig.cfg");
    ASSERT_EQ(kMaxPathLength, target.size());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    testing::WriteBytes(dir.File("player.cfg"), "player");
    EXPECT_TRUE(files.CopyOver(Wide(dir.File("player.cfg")), target, true));
    EXPECT_TRUE(files.CopyOver(target, Wide(dir.File("back.cfg")), true));
    EXPECT_EQ("player", testing::ReadBytes(dir.File("back.cfg")));
    EXPECT_TRUE(files.Remove(target));
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str())) << "a file written beside its target was left behind";
}

// The page on its own, with the game installed in a scratch folder.
class KeyconfigPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteBytes(install.File("keyconfig.cfg"), "player");
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        Settings& s = Settings::Instance();
        s.UseKeyDefault = 0;
        s.keyConfigs.clear();
        s.LastKey = 0;
        page = &KeyconfigDlg::Instance();
        ASSERT_NE(nullptr, page->Create(parent));
    }
    void TearDown() override {
        page->Close();
        DestroyWindow(parent);
        testing::DrainMessages();
    }
    testing::SettingsGuard settings;
    testing::ScratchCurrentDirectory current;  // the copies go to its "key" folder
    testing::WinTempDir install;
    InstallDirValue value{KEY_WOW64_32KEY, Wide(install.Path())};
    HWND parent = nullptr;
    KeyconfigDlg* page = nullptr;
};

TEST_F(KeyconfigPageTest, ANameOutsideCodePage949MakesNoCopy) {
    EXPECT_EQ(KeyResult::BadName, page->BackUp(L"\u0905\u0924"));
    EXPECT_TRUE(Settings::Instance().keyConfigs.empty());
    EXPECT_FALSE(current.Has("key\\keyconfig-0.cfg"));
    EXPECT_EQ(KeyResult::Done, page->BackUp(L"\uAE30\uBCF8"));  // "기본"
    EXPECT_EQ("player", testing::ReadBytes(current.File("key\\keyconfig-0.cfg")));
    ASSERT_EQ(1u, Settings::Instance().keyConfigs.size());
    EXPECT_EQ("\xb1\xe2\xba\xbb", Settings::Instance().keyConfigs[0].name);
}

TEST_F(KeyconfigPageTest, ARefusedRestoreOrBackUpIsToldAndLeavesTheFiles) {
    const auto click = [this](int id) {
        testing::PlayerMessages().clear();
        SendMessageW(page->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        return testing::PlayerMessages();
    };
    SetDlgItemTextW(page->handle, IDC_KEYCONFIG_NAME, L"A");
    ASSERT_TRUE(click(IDC_KEYCONFIG_BACKUP).empty());
    testing::WriteBytes(install.File("keyconfig.cfg"), "changed");
    SendDlgItemMessageW(page->handle, IDC_KEYCONFIG_LIST, LB_SETCURSEL, 0, 0);
    {
        // The game holds its file open without sharing.
        HANDLE held = CreateFileA(install.File("keyconfig.cfg").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        const std::vector<std::wstring> told = click(IDC_KEYCONFIG_RESTORE);
        CloseHandle(held);
        ASSERT_EQ(1u, told.size());
        EXPECT_NE(std::wstring::npos, told[0].find(L"사용 중"));
    }
    EXPECT_EQ("changed", testing::ReadBytes(install.File("keyconfig.cfg")));

    // The copy folder cannot be made: a file stands where it would be.
    const std::string folder = current.File("key");
    ASSERT_TRUE(DeleteFileA((folder + "\\keyconfig-0.cfg").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
    testing::WriteBytes(folder, "not a folder");
    SetDlgItemTextW(page->handle, IDC_KEYCONFIG_NAME, L"B");
    const std::vector<std::wstring> told = click(IDC_KEYCONFIG_BACKUP);
    ASSERT_EQ(1u, told.size());
    EXPECT_NE(std::wstring::npos, told[0].find(L"key"));
    EXPECT_EQ(1u, Settings::Instance().keyConfigs.size());
    DeleteFileA(folder.c_str());
}

TEST_F(KeyconfigPageTest, DefaultTakesTheNameOfAnExistingRecordOnly) {
    ASSERT_EQ(KeyResult::Done, page->BackUp(L"A"));
    ASSERT_EQ(KeyResult::Done, page->BackUp(L"B"));
    SendDlgItemMessageW(page->handle, IDC_KEYCONFIG_LIST, LB_SETCURSEL, 1, 0);
    // The list still shows a record that is gone from the settings.
    Settings::Instance().keyConfigs.pop_back();
    page->SetSelectedAsDefault();
    EXPECT_EQ(1, Settings::Instance().DefaultKey.load());
    EXPECT_EQ(L"", testing::TextOf(GetDlgItem(page->handle, IDC_KEYCONFIG_DEFAULTNAME)));
}

}  // namespace
}  // namespace gkr
