#include "input/key_files_win.h"

#include <algorithm>
#include <vector>

#include "app/framework/contract.h"
#include "app/framework/scoped_win.h"
#include "input/key_paths.h"
#include "settings/replace_file_win.h"
#include "settings/save_files.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// Far more than any folder name; a larger value is not a folder.
constexpr DWORD kMaxRegistryBytes = 64 * 1024;
// A key binding file is a few kilobytes.
constexpr LONGLONG kMaxKeyFileBytes = 16 * 1024 * 1024;

std::optional<std::wstring> Expand(const std::wstring& text) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<wchar_t> expanded(needed + 1, L'\0');
    if (ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed + 1) == 0) return std::nullopt;
    return std::wstring(expanded.data());
}

std::optional<std::wstring> ReadInstallDirIn(REGSAM view) {
    ScopedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameRegistryKey, 0, KEY_QUERY_VALUE | view, key.Receive()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), kGameInstallValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size == 0 || size > kMaxRegistryBytes)
        return std::nullopt;
    std::vector<uint8_t> bytes(size);
    // A value changed in between (ERROR_MORE_DATA) is not read at all.
    if (RegQueryValueExW(key.Get(), kGameInstallValue, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(std::min<size_t>(size, bytes.size()));
    std::optional<std::wstring> text = RegistryText(type, bytes);
    if (text && type == REG_EXPAND_SZ) return Expand(*text);
    return text;
}

bool ReadWhole(const std::wstring& path, std::string* bytes) {
    // Shared for reading only: a file another program is writing is not copied half done.
    ScopedHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxKeyFileBytes) return false;
    bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes->size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), &(*bytes)[done], static_cast<DWORD>(bytes->size() - done), &got, nullptr) ||
            got == 0)
            return false;
        done += got;
    }
    return true;
}

// The settings' own way to replace a file, so a copy killed midway leaves a
// file that the next start recognises and removes (RemoveStaleKeyFiles).
bool PutWhole(const std::wstring& path, const std::string& bytes, bool replace) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !replace) return false;
    const std::wstring newFile = WriteFileBeside(path, bytes);
    return !newFile.empty() && MoveFileOver(newFile, path, replace);
}

}  // namespace

std::optional<std::wstring> WinKeyFiles::ReadInstallDir() {
    if (std::optional<std::wstring> folder = ReadInstallDirIn(KEY_WOW64_32KEY)) return folder;
    return ReadInstallDirIn(KEY_WOW64_64KEY);
}

std::optional<std::wstring> WinKeyFiles::CurrentFolder() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    for (int attempt = 0; attempt < 3 && size != 0; ++attempt) {
        std::vector<wchar_t> buffer(size + 1, L'\0');
        const DWORD length = GetCurrentDirectoryW(size + 1, buffer.data());
        if (length == 0) break;
        if (length <= size) return std::wstring(buffer.data(), length);
        size = length;  // changed meanwhile: ask again with the new size
    }
    return std::nullopt;
}

bool WinKeyFiles::IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WinKeyFiles::MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) || (GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(path));
}

bool WinKeyFiles::IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WinKeyFiles::CopyOver(const std::wstring& from, const std::wstring& to, bool replace) {
    std::string bytes;
    return ReadWhole(from, &bytes) && PutWhole(to, bytes, replace);
}

bool WinKeyFiles::WriteWhole(const std::wstring& path, const std::string& bytes) { return PutWhole(path, bytes, true); }

void WinKeyFiles::ClearReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

bool WinKeyFiles::Remove(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

AppKeyBackups::AppKeyBackups() : KeyBackups(files_, Settings::Instance()) {}

void EndKeySession() { AppKeyBackups::Instance().End(); }

void RemoveStaleKeyFiles() {
    WinKeyFiles files;
    if (const std::optional<std::wstring> install = files.ReadInstallDir()) {
        RemoveStaleSaveFiles(*install,
                             [](const std::wstring& name) { return SaveTempOwner(std::wstring(kGameKeyFile), name); });
    }
    // Only a folder that is there: making it would restart the copy numbers.
    const std::optional<std::wstring> current = files.CurrentFolder();
    const std::wstring folder = current ? JoinPath(*current, kKeyCopyFolder) : std::wstring();
    if (!folder.empty() && files.IsFolder(folder)) RemoveStaleSaveFiles(folder, KeyFolderTempOwner);
}

}  // namespace gkr
