#include "settings/data_files.h"

#include "settings/number_text.h"
#include "settings/replace_file.h"
#include "settings/settings_file.h"

namespace gkr {

void LoadSettings(Settings& settings, const std::string& path) {
    LoadSettingsFile(settings, path, UserDigitGrouping());
}

bool SaveSettings(const Settings& settings, const std::string& path) {
    return ReplaceFileContents(path, PrintSettings(settings, UserDigitGrouping()));
}

void LoadSongSheets(SongSheets& sheets, const std::string& path) { sheets.Load(path, UserDigitGrouping()); }

}  // namespace gkr
