// Fixed names of the program's contract with the game, the user's files and
// itself. Each lives here once so the rest of the code never spells them out.
#pragma once

namespace gkr {

// The game's main window class: seven characters, a blank around each letter.
extern const wchar_t kGameWindowClass[];

extern const char kSettingsFile[];  // "conf.xml", in the current directory
extern const char kSongFile[];      // "SData.xml", in the current directory

extern const wchar_t kTimerWndClass[];
extern const wchar_t kEnergyWndClass[];
extern const wchar_t kFluteWndClass[];

extern const wchar_t kManagerTitle[];

}  // namespace gkr
