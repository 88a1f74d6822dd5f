#include "settings/data_files.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "settings/number_text.h"
#include "settings/replace_file.h"
#include "settings/save_files.h"
#include "settings/settings_file.h"
#include "settings/text_convert.h"
#include "settings/unread_file.h"

namespace gkr {

SettingsLoad LoadSettings(Settings& settings, const std::string& path) {
    return LoadSettingsFile(settings, path, UserDigitGrouping(), PlatformCp949());
}

bool SaveSettings(const Settings& settings, const std::string& path) {
    return ReplaceFileContents(path, PrintSettings(settings, UserDigitGrouping()));
}

SongsLoad LoadSongSheets(SongSheets& sheets, const std::string& path) {
    return sheets.Load(path, UserDigitGrouping(), PlatformCp949());
}

bool KeepUnreadFile(const std::string& path) { return CopyToUnread(path); }

void RemoveStaleSaveFiles(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::optional<uint32_t> owner = SaveTempOwner(name, entry->d_name);
        // EPERM: the process runs under another user; its file stays.
        if (owner && *owner != uint32_t(getpid()) && kill(pid_t(*owner), 0) != 0 && errno == ESRCH)
            unlink((folder + "/" + entry->d_name).c_str());
    }
    closedir(dir);
}

}  // namespace gkr
