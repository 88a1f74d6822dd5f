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

// The game's process, found by its image name (letter case aside).
extern const wchar_t kGameImageName[];  // "gkr.exe"

// Where the game keeps its key bindings: the install folder is the string
// value kGameInstallValue of this key under HKEY_LOCAL_MACHINE.
extern const wchar_t kGameRegistryKey[];
extern const wchar_t kGameInstallValue[];
extern const wchar_t kGameKeyFile[];      // "keyconfig.cfg" in the install folder
extern const wchar_t kKeyCopyFolder[];    // "key" in the current directory
extern const wchar_t kKeyCopyPrefix[];    // copy n is "keyconfig-" n ".cfg"
extern const wchar_t kKeyCopySuffix[];
// Beside the copies while the start-up copy waits to be put back.
extern const wchar_t kStartupCopyMarker[];

// Web addresses: the portal's login page (which forwards to the game's start
// page once the player is logged in) and the author's home page.
extern const char kPortalLoginAddress[];
extern const char kGameStartAddress[];
extern const char kHomePageAddress[];

}  // namespace gkr
