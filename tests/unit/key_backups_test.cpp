#include "input/key_backups.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "input/key_paths.h"
#include "settings/save_files.h"

namespace gkr {
namespace {

// An in-memory machine: files with contents and flags, folders, the registry's
// install folder and the current directory.
class FakeKeyFiles : public KeyFiles {
public:
    struct File {
        std::string bytes;
        bool readOnly = false;
        bool locked = false;  // held open by another program: neither read nor replaced nor deleted
    };
    std::optional<std::wstring> install = std::wstring(L"C:\\Game");
    std::optional<std::wstring> current = std::wstring(L"C:\\Tool");
    std::set<std::wstring> folders = {L"C:\\Game", L"C:\\Tool"};
    std::map<std::wstring, File> files;
    int gameWrites = 0;

    std::optional<std::wstring> ReadInstallDir() override { return install; }
    std::optional<std::wstring> CurrentFolder() override { return current; }
    bool IsFolder(const std::wstring& p) override { return folders.count(p) != 0; }
    bool MakeFolder(const std::wstring& p) override { return folders.insert(p).second; }
    bool IsFile(const std::wstring& p) override { return files.count(p) != 0; }
    bool CopyOver(const std::wstring& from, const std::wstring& to, bool replace) override {
        auto source = files.find(from);
        if (source == files.end() || source->second.locked) return false;
        auto target = files.find(to);
        if (target != files.end() && (!replace || target->second.readOnly || target->second.locked)) return false;
        files[to] = File{source->second.bytes};
        if (to == kGameFile) ++gameWrites;
        return true;
    }
    bool WriteWhole(const std::wstring& p, const std::string& bytes) override {
        files[p] = File{bytes};
        return true;
    }
    void ClearReadOnly(const std::wstring& p) override {
        if (files.count(p)) files[p].readOnly = false;
    }
    bool Remove(const std::wstring& p) override {
        auto f = files.find(p);
        if (f == files.end()) return true;
        if (f->second.readOnly || f->second.locked) return false;
        files.erase(f);
        return true;
    }

    std::string Bytes(const std::wstring& p) const { return files.count(p) ? files.at(p).bytes : "<none>"; }

    static constexpr const wchar_t* kGameFile = L"C:\\Game\\keyconfig.cfg";
};

const std::wstring kGame = FakeKeyFiles::kGameFile;
const std::wstring kFolder = L"C:\\Tool\\key";
std::wstring Copy(int n) { return kFolder + L"\\" + KeyCopyName(n); }
const std::wstring kMarker = kFolder + L"\\keyconfig--1.pending";

class KeyBackupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.LastKey = 0;
        settings.DefaultKey = -1;
        files.files[kGame] = {"player"};
    }
    // A copy folder that holds copies 0 ("zero") and 1 ("one"), recorded as A and B.
    void TwoCopies() {
        files.folders.insert(kFolder);
        files.files[Copy(0)] = {"zero"};
        files.files[Copy(1)] = {"one"};
        settings.keyConfigs = {{"A", 0}, {"B", 1}};
        settings.LastKey = 2;
    }
    void BothBoxes(int defaultKey) {
        settings.UseKeyDefault = 1;
        settings.UseKeyBackup = 1;
        settings.DefaultKey = defaultKey;
    }
    int32_t Add(const std::string& name, KeyResult expected = KeyResult::Done) {
        int32_t n = -99;
        EXPECT_EQ(expected, backups.AddKeyConfigBackup(name, &n)) << name;
        return n;
    }

    FakeKeyFiles files;
    Settings settings;
    KeyBackups backups{files, settings};
};

TEST_F(KeyBackupsTest, NewCopiesTakeTheFirstFreeNumberAndNeverOverwrite) {
    // First use: the folder is made, which restarts the numbers and clears the default.
    settings.LastKey = 5;
    settings.DefaultKey = 2;
    EXPECT_EQ(0, Add("A"));
    EXPECT_TRUE(files.IsFolder(kFolder));
    EXPECT_EQ(-1, settings.DefaultKey.load());
    EXPECT_EQ(1, Add("B"));
    EXPECT_EQ("player", files.Bytes(Copy(1)));

    // Deleted numbers are not reused.
    ASSERT_EQ(KeyResult::Done, backups.DeleteKeyConfigBackup(0));
    EXPECT_EQ(2, Add("C"));

    // A file of the next number that no record names (an older folder) is kept.
    files.files[Copy(3)] = {"older"};
    EXPECT_EQ(4, Add("D"));
    EXPECT_EQ("older", files.Bytes(Copy(3)));

    // A record whose number LastKey went past, after the folder was made anew.
    settings.LastKey = 1;
    EXPECT_EQ(5, Add("E"));
    EXPECT_EQ(6, settings.LastKey.load());

    // A LastKey below zero never hands out -1, the start-up copy.
    settings.keyConfigs.clear();
    files.files.clear();
    files.files[kGame] = {"player"};
    settings.LastKey = -3;
    EXPECT_EQ(0, Add("F"));
    ASSERT_EQ(1u, settings.keyConfigs.size());
    EXPECT_EQ("F", settings.keyConfigs[0].name);
}

TEST_F(KeyBackupsTest, ACopyThatWasNotMadeIsNotRecorded) {
    TwoCopies();
    files.files.erase(kGame);
    Add("no game file", KeyResult::NoSource);
    files.files[kGame] = {"player", false, true};
    Add("locked game file", KeyResult::CopyFailed);
    files.install.reset();
    Add("no install folder", KeyResult::NoInstallFolder);
    files.install = std::wstring(300, L'x');
    Add("install folder too long", KeyResult::PathTooLong);
    files.install = L"C:\\Game";
    files.current = std::wstring(250, L'y');
    Add("current folder too long", KeyResult::PathTooLong);
    files.current.reset();
    Add("no current folder", KeyResult::NoFolder);
    EXPECT_EQ(2u, settings.keyConfigs.size());
    EXPECT_EQ(2, settings.LastKey.load());
    EXPECT_EQ(3u, files.files.size());  // the game's file and the two copies, nothing else
}

TEST_F(KeyBackupsTest, DeleteDropsTheRecordOnlyOnceTheFileIsGone) {
    TwoCopies();
    files.files[Copy(0)].readOnly = true;  // the copy took the game file's read-only bit
    EXPECT_EQ(KeyResult::Done, backups.DeleteKeyConfigBackup(0));
    EXPECT_FALSE(files.IsFile(Copy(0)));
    files.files[Copy(1)].locked = true;
    EXPECT_EQ(KeyResult::DeleteFailed, backups.DeleteKeyConfigBackup(1));
    ASSERT_EQ(1u, settings.keyConfigs.size());
    EXPECT_EQ(1, settings.keyConfigs[0].index);
    // A record whose file is already gone goes.
    files.files.erase(Copy(1));
    EXPECT_EQ(KeyResult::Done, backups.DeleteKeyConfigBackup(1));
    EXPECT_TRUE(settings.keyConfigs.empty());
}

TEST_F(KeyBackupsTest, BothBoxesApplyTheDefaultAndPutTheFileBackOnce) {
    TwoCopies();
    BothBoxes(1);
    ASSERT_EQ(KeyResult::Done, backups.StartUp());
    EXPECT_EQ("one", files.Bytes(kGame));
    EXPECT_EQ("player", files.Bytes(Copy(-1)));
    EXPECT_TRUE(files.IsFile(kMarker));
    EXPECT_EQ(KeyResult::InUse, backups.DeleteKeyConfigBackup(-1));

    files.files[kGame] = {"changed in game"};
    ASSERT_EQ(KeyResult::Done, backups.End());
    EXPECT_EQ("player", files.Bytes(kGame));
    EXPECT_FALSE(files.IsFile(kMarker));
    const int writes = files.gameWrites;
    files.files[kGame] = {"later"};
    EXPECT_EQ(KeyResult::Done, backups.End());  // a second way out changes nothing
    EXPECT_EQ("later", files.Bytes(kGame));
    EXPECT_EQ(writes, files.gameWrites);
}

TEST_F(KeyBackupsTest, AStartupCopyThatWasNeverPutBackSurvivesTheNextStart) {
    TwoCopies();
    BothBoxes(0);
    ASSERT_EQ(KeyResult::Done, backups.StartUp());
    EXPECT_EQ("zero", files.Bytes(kGame));
    // The program is killed: no End. The next run starts with the default in place.
    KeyBackups nextRun(files, settings);
    ASSERT_EQ(KeyResult::Done, nextRun.StartUp());
    EXPECT_EQ("player", files.Bytes(Copy(-1)));
    EXPECT_EQ("zero", files.Bytes(kGame));
    // Its end finds the game's file locked: the copy stays marked for the run after.
    files.files[kGame].locked = true;
    EXPECT_EQ(KeyResult::CopyFailed, nextRun.End());
    EXPECT_TRUE(files.IsFile(kMarker));
    files.files[kGame].locked = false;
    KeyBackups third(files, settings);
    settings.UseKeyDefault = 0;  // even with the boxes off, the copy stays for a run that has them on
    ASSERT_EQ(KeyResult::Done, third.StartUp());
    EXPECT_EQ(KeyResult::Done, third.End());
    EXPECT_EQ("zero", files.Bytes(kGame));
    settings.UseKeyDefault = 1;
    KeyBackups fourth(files, settings);
    ASSERT_EQ(KeyResult::Done, fourth.StartUp());
    ASSERT_EQ(KeyResult::Done, fourth.End());
    EXPECT_EQ("player", files.Bytes(kGame));
    EXPECT_FALSE(files.IsFile(kMarker));
}

TEST_F(KeyBackupsTest, NothingIsAppliedWithoutAStartupCopyOrADefault) {
    TwoCopies();
    BothBoxes(1);
    // The game's file cannot be read: no start-up copy, so no default either.
    files.files[kGame].locked = true;
    EXPECT_EQ(KeyResult::CopyFailed, backups.StartUp());
    EXPECT_FALSE(backups.SessionOpen());
    files.files[kGame].locked = false;
    EXPECT_EQ("player", files.Bytes(kGame));

    // A default whose copy is gone: the game's file is untouched and nothing is put back later.
    BothBoxes(7);
    EXPECT_EQ(KeyResult::NoSource, backups.StartUp());
    EXPECT_FALSE(backups.SessionOpen());
    EXPECT_FALSE(files.IsFile(kMarker));
    EXPECT_FALSE(files.IsFile(Copy(-1)));

    // No default: no copy, nothing to undo at the end.
    files.files.erase(Copy(-1));
    BothBoxes(-1);
    EXPECT_EQ(KeyResult::Done, backups.StartUp());
    EXPECT_FALSE(files.IsFile(Copy(-1)));
    EXPECT_EQ(0, files.gameWrites);

    // A start-up copy of an earlier run is not put back by a run that made none.
    files.files[Copy(-1)] = {"stale"};
    settings.UseKeyDefault = 0;
    EXPECT_EQ(KeyResult::Done, backups.StartUp());
    EXPECT_EQ(KeyResult::Done, backups.End());
    EXPECT_EQ("player", files.Bytes(kGame));
}

TEST_F(KeyBackupsTest, DefaultWithoutBackupIsAppliedAndNotUndone) {
    TwoCopies();
    settings.UseKeyDefault = 1;
    settings.DefaultKey = 1;
    EXPECT_EQ(KeyResult::Done, backups.StartUp());
    EXPECT_EQ("one", files.Bytes(kGame));
    EXPECT_FALSE(files.IsFile(Copy(-1)));
    EXPECT_EQ(KeyResult::Done, backups.End());
    EXPECT_EQ("one", files.Bytes(kGame));
}

TEST(KeyPaths, PathsAreWholeOrRefusedAndRegistryTextIsChecked) {
    EXPECT_EQ(L"C:\\Game\\keyconfig--1.cfg", JoinPath(L"C:\\Game\\", KeyCopyName(-1)));
    const std::wstring folder(kMaxPathLength - 14, L'a');
    EXPECT_EQ(kMaxPathLength, JoinPath(folder, L"keyconfig.cfg").size());
    EXPECT_EQ(L"", JoinPath(folder + L"a", L"keyconfig.cfg"));

    const std::vector<uint8_t> game = {'C', 0, ':', 0, '\\', 0, 'G', 0, 0, 0};
    EXPECT_EQ(L"C:\\G", RegistryText(kRegistryString, game).value_or(L"?"));
    EXPECT_EQ(L"C:", RegistryText(kRegistryExpandString, {'C', 0, ':', 0}).value_or(L"?"));  // no terminator
    EXPECT_FALSE(RegistryText(3 /* REG_BINARY */, game));
    EXPECT_FALSE(RegistryText(kRegistryString, {'C', 0, ':'}));
    EXPECT_FALSE(RegistryText(kRegistryString, {0, 0, 'C', 0}));
    EXPECT_FALSE(RegistryText(kRegistryString, {}));
}

TEST(KeyPaths, OnlyTheLeftoversOfOurOwnCopiesAreRecognisedInTheCopyFolder) {
    // Exactly what a copy killed between its write and its move leaves.
    for (int32_t n : {0, 7, -1, INT32_MAX, INT32_MIN}) {
        EXPECT_TRUE(IsKeyCopyName(KeyCopyName(n))) << n;
        EXPECT_EQ(4242u, KeyFolderTempOwner(SaveTempName(KeyCopyName(n), 4242))) << n;
    }
    EXPECT_EQ(7u, KeyFolderTempOwner(SaveTempName(std::wstring(L"keyconfig--1.pending"), 7)));
    for (const wchar_t* name : {L"keyconfig-.cfg", L"keyconfig-07.cfg", L"keyconfig--0.cfg", L"keyconfig-1a.cfg",
                                L"keyconfig-2147483648.cfg", L"keyconfig-1.cfg.bak", L"Keyconfig-1.cfg"})
        EXPECT_FALSE(IsKeyCopyName(name)) << name;
    for (const wchar_t* name : {L"keyconfig-1.cfg.tmp", L"keyconfig-1.cfg.07.tmp", L"keyconfig.cfg.12.tmp",
                                L"notes.txt.12.tmp", L"~0000012c.tmp", L"keyconfig-1.cfg.12.tmp.old"})
        EXPECT_FALSE(KeyFolderTempOwner(name)) << name;
}

}  // namespace
}  // namespace gkr
