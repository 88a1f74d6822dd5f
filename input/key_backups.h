// Named copies of the game's key binding file ("keyconfig.cfg" in its install
// folder), kept as "key\keyconfig-<n>.cfg" under the current directory and
// listed by the KeyConfig records of the settings; the default copy applied at
// start; and the start-up copy (number -1) of the player's own file, put back
// when the program ends.
//
// The game's file is the player's: nothing here may lose it, cut it short or
// put a stale copy over it. So every file is replaced in one step, a copy is
// recorded only once it exists, a new copy never takes the place of another,
// and a start-up copy that an earlier run never put back (the program was
// killed, the file was locked) is kept and put back by the next run.
//
// The decisions live here; the file system and the registry are reached
// through KeyFiles. User-interface thread only.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings.h"

namespace gkr {

// What the backups need of the machine. Paths are whole, never longer than
// kMaxPathLength.
class KeyFiles {
public:
    virtual ~KeyFiles() = default;

    // The game's install folder from the registry; nothing when it has no usable value.
    virtual std::optional<std::wstring> ReadInstallDir() = 0;
    virtual std::optional<std::wstring> CurrentFolder() = 0;

    virtual bool IsFolder(const std::wstring& path) = 0;
    virtual bool MakeFolder(const std::wstring& path) = 0;
    virtual bool IsFile(const std::wstring& path) = 0;

    // Puts a copy of the file `from` at `to` in one step: written beside `to`
    // and then moved over it, so `to` is either the whole copy or as it was.
    // With `replace` false an existing `to` is never touched. A read-only
    // `to` is not replaced.
    virtual bool CopyOver(const std::wstring& from, const std::wstring& to, bool replace) = 0;
    // Writes a small file whole, in the same way.
    virtual bool WriteWhole(const std::wstring& path, const std::string& bytes) = 0;
    virtual void ClearReadOnly(const std::wstring& path) = 0;
    // True when no file is left at path (deleted, or there was none).
    virtual bool Remove(const std::wstring& path) = 0;
};

enum class KeyResult {
    Done,
    NoInstallFolder,  // the registry names no install folder
    PathTooLong,      // a folder too long to build a whole path in
    NoFolder,         // no current directory, or the copy folder cannot be made
    NoSource,         // the file to copy from does not exist
    CopyFailed,       // the copy could not be written (locked, read-only, disk)
    NoNumber,         // every copy number is taken
    InUse,            // the start-up copy waits to be put back
    DeleteFailed,     // the copy is still there
    BadName,          // a name the settings file cannot store (not code page 949)
    NothingSelected,  // a command on the selected copy without a selection
};

class KeyBackups {
public:
    KeyBackups(KeyFiles& files, Settings& settings) : files_(files), settings_(settings) {}

    // The copy folder "key" under the current directory. When it has to be
    // created, LastKey restarts at 0 and the default is cleared (the records
    // name copies in the old folder).
    KeyResult KeyBackupFolder(std::wstring* folder);

    // The game's file becomes copy n (replacing our copy n).
    KeyResult BackupKeyConfig(int32_t n);
    // Copy n becomes the game's file. Without copy n the game's file stays as it is.
    KeyResult RestoreKeyConfig(int32_t n);
    // Removes copy n, then the first record of number n; the record stays
    // while the file does.
    KeyResult DeleteKeyConfigBackup(int32_t n);
    // A new copy of the game's file under the first free number from LastKey
    // on (neither a file nor a record of that number exists), recorded with
    // `name` once it exists; LastKey then follows it. *index: its number.
    KeyResult AddKeyConfigBackup(const std::string& name, int32_t* index);

    // At start with "기본설정 자동 적용" (UseKeyDefault): the default copy
    // (DefaultKey) becomes the game's file. With "자동 백업 및 복원 사용"
    // (UseKeyBackup) the game's file is saved as the start-up copy first, and
    // the default is applied only if that worked; End puts it back. A
    // start-up copy an earlier run left behind is taken over instead of being
    // overwritten. DefaultKey -1 applies nothing (and needs no start-up copy).
    KeyResult StartUp();
    // Puts the start-up copy back, the first time it is called after StartUp
    // made or took over one; otherwise does nothing. If that fails the copy
    // stays marked, for the next run.
    KeyResult End();
    bool SessionOpen() const { return session_.load(); }

private:
    // The game's file, and the copy folder.
    KeyResult Locate(std::wstring* gameFile, std::wstring* folder);
    bool StartupCopyPending(const std::wstring& folder);
    bool NumberTaken(const std::wstring& folder, int32_t n);

    KeyFiles& files_;
    Settings& settings_;
    std::atomic<bool> session_{false};  // written and read by the user-interface thread
};

}  // namespace gkr
