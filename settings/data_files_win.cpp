#include "settings/data_files.h"

#include <windows.h>

#include "app/scoped_win.h"
#include "settings/number_text.h"
#include "settings/replace_file.h"
#include "settings/save_files.h"
#include "settings/settings_file.h"
#include "settings/unread_file.h"

namespace gkr {

SettingsLoad LoadSettings(Settings& settings, const std::string& path) {
    return LoadSettingsFile(settings, path, UserDigitGrouping());
}

bool SaveSettings(const Settings& settings, const std::string& path) {
    // CR LF, as the file has always been written in text mode here.
    return ReplaceFileContents(path, ToCrLf(PrintSettings(settings, UserDigitGrouping())));
}

void LoadSongSheets(SongSheets& sheets, const std::string& path) { sheets.Load(path, UserDigitGrouping()); }

bool KeepUnreadFile(const std::string& path) { return CopyToUnread(path); }

namespace {

// Unsure answers count as running: a file of a live save must never go.
bool ProcessRunning(DWORD pid) {
    ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process.Valid()) return GetLastError() != ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

void RemoveStaleSaveFiles(const std::string& path) {
    const std::string folder = FolderOf(path), name = path.substr(folder.size());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + ".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::optional<uint32_t> owner = SaveTempOwner(name, found.cFileName);
        if (owner && *owner != GetCurrentProcessId() && !ProcessRunning(*owner))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace gkr
