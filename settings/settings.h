// The one settings record: hotkeys, saved key configurations and the
// twenty-nine numeric options stored as attributes of conf.xml.
//
// Written by the user-interface thread alone (the other threads post it what
// they found, mail_messages.h); the worker and the overlay thread read it.
// The options are atomic 32-bit words, each replaced whole; the hotkey list is
// immutable once published and replaced whole, so the worker's poll always
// reads a complete list (see HotkeyList). A record's writer can be bound and
// checked (WriterCheck).
// The file itself: settings_file.h (its format) and data_files.h (load, save).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/framework/singleton.h"
#include "settings/published.h"

namespace gkr {

// Which thread may write a record: any until one is bound (the Windows tests
// bind the process-wide record's to their main thread, which plays the
// user-interface thread); then each write from another thread is counted.
class WriterCheck {
public:
    // The calling thread becomes the one writer; a default id unbinds.
    void Bind(std::thread::id writer = std::this_thread::get_id()) { writer_ = writer; }
    // Before each write. Unbound, one load.
    void OnWrite() {
        const std::thread::id writer = writer_.load(std::memory_order_relaxed);
        if (writer != std::thread::id() && writer != std::this_thread::get_id()) foreign_.fetch_add(1);
    }
    // Writes made by another thread than the bound one, so far.
    int ForeignWrites() const { return foreign_.load(); }

private:
    std::atomic<std::thread::id> writer_{};
    std::atomic<int> foreign_{0};
};

// One numeric option: a 32-bit word read and written whole, each write checked.
class Option {
public:
    explicit Option(WriterCheck& check) : check_(&check) {}
    Option(const Option&) = delete;
    Option& operator=(const Option&) = delete;

    int32_t operator=(int32_t value) {
        store(value);
        return value;
    }
    void store(int32_t value) {
        check_->OnWrite();
        value_.store(value);
    }
    int32_t load() const { return value_.load(); }
    operator int32_t() const { return load(); }

private:
    WriterCheck* check_;
    std::atomic<int32_t> value_{0};
};

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
class HotkeyList {
public:
    explicit HotkeyList(WriterCheck& check) : check_(&check) {}
    std::shared_ptr<const AccelList> Publish(AccelList list) {
        check_->OnWrite();
        return list_.Publish(std::move(list));
    }
    std::shared_ptr<const AccelList> Snapshot() const { return list_.Snapshot(); }
    AccelList Copy() const { return *Snapshot(); }
    size_t Size() const { return Snapshot()->size(); }

private:
    WriterCheck* check_;
    Published<AccelList> list_;
};

// The process-wide record is Settings::Instance(); tests make records of their own.
struct Settings : Singleton<Settings> {
    WriterCheck writer;  // first: every option below checks its writes with it
    HotkeyList accels{writer};
    std::vector<KeyConfig> keyConfigs;  // user-interface thread only

    Option UseKey{writer};
    Option UsePad{writer};
    Option MailBackup{writer};
    Option MailDelete{writer};
    Option MailRestore{writer};
    Option LastKey{writer};
    Option DefaultKey{writer};
    Option UseX{writer};
    Option UseY{writer};
    Option UseZ{writer};
    Option UseR{writer};
    Option UseU{writer};
    Option UseV{writer};
    Option UseKeyDefault{writer};
    Option UseKeyBackup{writer};
    Option UseFlute{writer};
    Option UpNote{writer};
    Option SideNote{writer};
    Option DownNote{writer};
    Option FluteWndX{writer};
    Option FluteWndY{writer};
    Option FluteSkill{writer};
    Option UseAutoTimer{writer};
    Option UseTimer{writer};
    Option TimerSize{writer};
    Option UseEnergy{writer};
    Option MaxHealth{writer};
    Option OffsetX{writer};
    Option OffsetY{writer};
};

}  // namespace gkr
