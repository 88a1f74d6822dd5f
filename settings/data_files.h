// The program's data files as the manager dialog uses them, with the user's
// digit grouping and this platform's way of writing files: conf.xml loaded at
// start and saved at close, SData.xml loaded at start. Defined per platform.
#pragma once

#include <string>

#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/song_sheets.h"

namespace gkr {

// Never fails visibly: whatever cannot be read keeps its current value. Says
// how much of the file was read (see KeepUnreadFile).
SettingsLoad LoadSettings(Settings& settings, const std::string& path);

// Copies the file's present bytes to UnreadCopyName(path) (save_files.h),
// replacing an older kept copy: a settings file that was there but not read
// whole is kept so before the first save replaces it. False when the bytes
// could not be read or the copy not written; the caller must then not
// replace the file.
bool KeepUnreadFile(const std::string& path);

// Removes the files "<path>.<pid>.tmp" that a save killed midway left behind,
// of processes that no longer run.
void RemoveStaleSaveFiles(const std::string& path);

// Writes the whole record (CR LF line ends on Windows) and swaps it in for the
// old file in one step. False when the file could not be written; the old file
// is then left as it was.
bool SaveSettings(const Settings& settings, const std::string& path);

// SongSheets::Load with the user's digit grouping (ComputeKeys is separate).
SongsLoad LoadSongSheets(SongSheets& sheets, const std::string& path);

}  // namespace gkr
