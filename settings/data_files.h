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
// how much of the file was read (see KeepBeforeSave and KeepUnreadFile).
SettingsLoad LoadSettings(Settings& settings, const std::string& path);

// Copies the file's present bytes to the first of UnreadCopyName(path, 0),
// (path, 1), ... (save_files.h) that no file has, never replacing an earlier
// kept copy: a settings file the program could not read whole, or read from
// UTF-8, is kept so before the first save replaces it. False when the bytes
// could not be read, the copy not written or no name is free; the caller
// must then not replace the file.
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
