// The one settings record: hotkeys, saved key configurations and the
// twenty-nine numeric options stored as attributes of conf.xml.
//
// Both threads use it. The options are atomic 32-bit words, each replaced
// whole; the hotkey list is immutable once published and replaced whole, so
// the worker's poll always reads a complete list (see HotkeyList).
// The file itself: settings_file.h (its format) and data_files.h (load, save).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/framework/singleton.h"
#include "settings/published.h"

namespace gkr {

using Option = std::atomic<int32_t>;

// One hotkey binding: all keys and all pad conditions must be active.
struct Accel {
    std::vector<uint32_t> keys;  // Windows virtual-key codes
    std::vector<int32_t> pads;   // PadCode values: buttons > 0, axes/hats < 0
    std::string name;            // narrow text, code page 949
    int32_t num = 0;
};

// One saved copy of the game's key binding file.
struct KeyConfig {
    std::string name;  // narrow text, code page 949
    int32_t index = 0;
};

using AccelList = std::vector<Accel>;

// The hotkey list, published whole: the worker's poll reads one snapshot per
// pass while the user-interface thread may publish a new list.
class HotkeyList : public Published<AccelList> {
public:
    AccelList Copy() const { return *Snapshot(); }
    size_t Size() const { return Snapshot()->size(); }
};

// The process-wide record is Settings::Instance(); tests make records of their own.
struct Settings : Singleton<Settings> {
    HotkeyList accels;
    std::vector<KeyConfig> keyConfigs;  // user-interface thread only

    Option UseKey{0};
    Option UsePad{0};
    Option MailBackup{0};
    Option MailDelete{0};
    Option MailRestore{0};
    Option LastKey{0};
    Option DefaultKey{0};
    Option UseX{0};
    Option UseY{0};
    Option UseZ{0};
    Option UseR{0};
    Option UseU{0};
    Option UseV{0};
    Option UseKeyDefault{0};
    Option UseKeyBackup{0};
    Option UseFlute{0};
    Option UpNote{0};
    Option SideNote{0};
    Option DownNote{0};
    Option FluteWndX{0};
    Option FluteWndY{0};
    Option FluteSkill{0};
    Option UseAutoTimer{0};
    Option UseTimer{0};
    Option TimerSize{0};
    Option UseEnergy{0};
    Option MaxHealth{0};
    Option OffsetX{0};
    Option OffsetY{0};
};

}  // namespace gkr
