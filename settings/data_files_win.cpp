#include "settings/data_files.h"

#include <windows.h>

#include "settings/number_text.h"
#include "settings/replace_file.h"
#include "settings/replace_file_win.h"
#include "settings/save_files.h"
#include "settings/settings_file.h"
#include "settings/text_convert.h"
#include "settings/unread_file.h"

namespace gkr {

SettingsLoad LoadSettings(Settings& settings, const std::string& path) {
    return LoadSettingsFile(settings, path, UserDigitGrouping(), PlatformCp949());
}

bool SaveSettings(const Settings& settings, const std::string& path) {
    // CR LF, as the file has always been written in text mode here.
    return ReplaceFileContents(path, ToCrLf(PrintSettings(settings, UserDigitGrouping())));
}

SongsLoad LoadSongSheets(SongSheets& sheets, const std::string& path) {
    return sheets.Load(path, UserDigitGrouping(), PlatformCp949());
}

bool KeepUnreadFile(const std::string& path) { return CopyToUnread(path); }

void RemoveStaleSaveFiles(const std::string& path) {
    const std::wstring wide = WidePath(path);
    const size_t slash = wide.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : wide.substr(0, slash + 1);
    const std::wstring name = wide.substr(slash == std::wstring::npos ? 0 : slash + 1);
    if (!name.empty())
        RemoveStaleSaveFiles(folder, [&name](const std::wstring& candidate) { return SaveTempOwner(name, candidate); });
}

}  // namespace gkr
