// The key-configuration backups on this machine: the registry's install
// folder, the current directory and whole-file copies through Win32.
#pragma once

#include <windows.h>

#include "app/framework/singleton.h"
#include "input/key_backups.h"

namespace gkr {

class WinKeyFiles : public KeyFiles {
public:
    // The install folder: the 32-bit registry view first (where a 32-bit
    // game installs), then the 64-bit one. Only a text value counts.
    std::optional<std::wstring> ReadInstallDir() override;
    std::optional<std::wstring> CurrentFolder() override;
    bool IsFolder(const std::wstring& path) override;
    bool MakeFolder(const std::wstring& path) override;
    bool IsFile(const std::wstring& path) override;
    bool CopyOver(const std::wstring& from, const std::wstring& to, bool replace) override;
    bool WriteWhole(const std::wstring& path, const std::string& bytes) override;
    void ClearReadOnly(const std::wstring& path) override;
    bool Remove(const std::wstring& path) override;
};

// The process-wide backups, on WinKeyFiles and the settings record: the
// user-interface thread's alone.
class AppKeyBackups : public Singleton<AppKeyBackups>, public KeyBackups {
private:
    friend class Singleton<AppKeyBackups>;
    AppKeyBackups();

    WinKeyFiles files_;  // only its address is taken before it is made
};

// Puts the start-up copy back if this run made one. Every way the program
// ends calls it; only the first call acts.
void EndKeySession();

// Removes what copies killed midway by earlier runs left in the game's
// install folder and in the copy folder (their temporary files, of processes
// that no longer run). Call at start, before any copy is made.
void RemoveStaleKeyFiles();

}  // namespace gkr
