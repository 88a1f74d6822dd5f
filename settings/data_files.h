// The program's data files as the manager dialog uses them, with the user's
// digit grouping and this platform's way of writing files: conf.xml loaded at
// start and saved at close, SData.xml loaded at start. Defined per platform.
#pragma once

#include <string>

#include "settings/settings.h"
#include "settings/song_sheets.h"

namespace gkr {

// Never fails visibly: whatever cannot be read keeps its current value.
void LoadSettings(Settings& settings, const std::string& path);

// Writes the whole record (CR LF line ends on Windows) and swaps it in for the
// old file in one step. False when the file could not be written; the old file
// is then left as it was.
bool SaveSettings(const Settings& settings, const std::string& path);

// SongSheets::Load with the user's digit grouping (ComputeKeys is separate).
void LoadSongSheets(SongSheets& sheets, const std::string& path);

}  // namespace gkr
