#include "input/key_backups.h"

#include <algorithm>
#include <limits>

#include "app/framework/contract.h"
#include "input/key_paths.h"

namespace gkr {

namespace {

// For the player who finds the file: the start-up copy is still to be put back.
const char kMarkerText[] =
    "keyconfig--1.cfg holds the game's key file as it was before GKRTimer applied the default.\r\n"
    "GKRTimer puts it back when it ends.\r\n";

}  // namespace

KeyResult KeyBackups::KeyBackupFolder(std::wstring* folder) {
    const std::optional<std::wstring> current = files_.CurrentFolder();
    if (!current || current->empty()) return KeyResult::NoFolder;
    const std::wstring path = JoinPath(*current, kKeyCopyFolder);
    if (path.empty() || path.size() > kMaxFolderLength) return KeyResult::PathTooLong;
    if (!files_.IsFolder(path)) {
        if (!files_.MakeFolder(path)) return KeyResult::NoFolder;
        // A new folder holds none of the copies the numbers refer to.
        settings_.LastKey = 0;
        settings_.DefaultKey = kStartupCopy;
    }
    *folder = path;
    return KeyResult::Done;
}

KeyResult KeyBackups::Locate(std::wstring* gameFile, std::wstring* folder) {
    const std::optional<std::wstring> install = files_.ReadInstallDir();
    if (!install || install->empty()) return KeyResult::NoInstallFolder;
    *gameFile = JoinPath(*install, kGameKeyFile);
    if (gameFile->empty()) return KeyResult::PathTooLong;
    return KeyBackupFolder(folder);
}

KeyResult KeyBackups::BackupKeyConfig(int32_t n) {
    std::wstring gameFile, folder;
    const KeyResult r = Locate(&gameFile, &folder);
    if (r != KeyResult::Done) return r;
    const std::wstring copy = JoinPath(folder, KeyCopyName(n));
    if (copy.empty()) return KeyResult::PathTooLong;
    if (!files_.IsFile(gameFile)) return KeyResult::NoSource;  // an older copy stays as it is
    files_.ClearReadOnly(copy);  // our own copy
    return files_.CopyOver(gameFile, copy, true) ? KeyResult::Done : KeyResult::CopyFailed;
}

KeyResult KeyBackups::RestoreKeyConfig(int32_t n) {
    std::wstring gameFile, folder;
    const KeyResult r = Locate(&gameFile, &folder);
    if (r != KeyResult::Done) return r;
    const std::wstring copy = JoinPath(folder, KeyCopyName(n));
    if (copy.empty()) return KeyResult::PathTooLong;
    if (!files_.IsFile(copy)) return KeyResult::NoSource;
    return files_.CopyOver(copy, gameFile, true) ? KeyResult::Done : KeyResult::CopyFailed;
}

KeyResult KeyBackups::DeleteKeyConfigBackup(int32_t n) {
    std::wstring folder;
    KeyResult r = KeyBackupFolder(&folder);
    if (r != KeyResult::Done) return r;
    // The player's own file, waiting to be put back, is not ours to delete.
    if (n == kStartupCopy && (session_.load() || StartupCopyPending(folder))) return KeyResult::InUse;
    const std::wstring copy = JoinPath(folder, KeyCopyName(n));
    if (copy.empty()) return KeyResult::PathTooLong;
    files_.ClearReadOnly(copy);
    if (!files_.Remove(copy)) return KeyResult::DeleteFailed;
    std::vector<KeyConfig>& records = settings_.keyConfigs;
    const auto record = std::find_if(records.begin(), records.end(), [n](const KeyConfig& k) { return k.index == n; });
    if (record != records.end()) records.erase(record);
    return KeyResult::Done;
}

bool KeyBackups::NumberTaken(const std::wstring& folder, int32_t n) {
    const std::vector<KeyConfig>& records = settings_.keyConfigs;
    if (std::any_of(records.begin(), records.end(), [n](const KeyConfig& k) { return k.index == n; })) return true;
    return files_.IsFile(JoinPath(folder, KeyCopyName(n)));
}

KeyResult KeyBackups::AddKeyConfigBackup(const std::string& name, int32_t* index) {
    std::wstring gameFile, folder;
    const KeyResult r = Locate(&gameFile, &folder);
    if (r != KeyResult::Done) return r;
    // Never below 0: -1 is the start-up copy.
    int32_t n = std::max<int32_t>(settings_.LastKey.load(), 0);
    while (NumberTaken(folder, n)) {
        if (n == std::numeric_limits<int32_t>::max() - 1) return KeyResult::NoNumber;
        ++n;
    }
    const std::wstring copy = JoinPath(folder, KeyCopyName(n));
    if (copy.empty()) return KeyResult::PathTooLong;
    if (!files_.IsFile(gameFile)) return KeyResult::NoSource;
    if (!files_.CopyOver(gameFile, copy, false)) return KeyResult::CopyFailed;
    settings_.keyConfigs.push_back(KeyConfig{name, n});
    settings_.LastKey = n + 1;
    *index = n;
    return KeyResult::Done;
}

bool KeyBackups::StartupCopyPending(const std::wstring& folder) {
    const std::wstring marker = JoinPath(folder, kStartupCopyMarker);
    return !marker.empty() && files_.IsFile(marker);
}

KeyResult KeyBackups::StartUp() {
    if (settings_.UseKeyDefault.load() == 0) return KeyResult::Done;
    std::wstring gameFile, folder;
    KeyResult r = Locate(&gameFile, &folder);
    if (r != KeyResult::Done) return r;
    const int32_t defaultKey = settings_.DefaultKey.load();  // after the folder, which may clear it
    const std::wstring startup = JoinPath(folder, KeyCopyName(kStartupCopy));
    const std::wstring marker = JoinPath(folder, kStartupCopyMarker);
    const std::wstring defaultCopy = JoinPath(folder, KeyCopyName(defaultKey));
    if (startup.empty() || marker.empty() || defaultCopy.empty()) return KeyResult::PathTooLong;

    const bool backup = settings_.UseKeyBackup.load() != 0;
    // An earlier run applied a default and never put the player's file back:
    // that copy is the one to restore at the end, not the file as it is now.
    const bool tookOver = backup && files_.IsFile(marker) && files_.IsFile(startup);
    if (tookOver) {
        session_ = true;
    } else {
        if (backup && !files_.Remove(marker)) return KeyResult::DeleteFailed;  // a marker without its copy
        if (defaultKey == kStartupCopy) return KeyResult::Done;  // nothing to apply, nothing to undo
        if (!files_.IsFile(defaultCopy)) return KeyResult::NoSource;
        if (backup) {
            r = BackupKeyConfig(kStartupCopy);
            if (r != KeyResult::Done) return r;  // without the copy the default is not applied
            // Marked before the default is applied: a run that ends without
            // putting the copy back leaves it marked.
            if (!files_.WriteWhole(marker, kMarkerText)) return KeyResult::CopyFailed;
            session_ = true;
        }
    }
    if (defaultKey == kStartupCopy) return KeyResult::Done;
    r = RestoreKeyConfig(defaultKey);
    if (r != KeyResult::Done && session_.load() && !tookOver) {
        // The game's file was not touched: there is nothing to put back.
        session_ = false;
        files_.Remove(marker);
    }
    return r;
}

KeyResult KeyBackups::End() {
    if (!session_.exchange(false)) return KeyResult::Done;
    const KeyResult r = RestoreKeyConfig(kStartupCopy);
    if (r != KeyResult::Done) return r;  // still marked: the next run puts it back
    std::wstring folder;
    if (KeyBackupFolder(&folder) == KeyResult::Done) {
        const std::wstring marker = JoinPath(folder, kStartupCopyMarker);
        if (!marker.empty()) files_.Remove(marker);
    }
    return r;
}

}  // namespace gkr
