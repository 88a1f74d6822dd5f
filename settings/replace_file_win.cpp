// File replacement with MoveFileExW: on the same volume the new file takes the
// old one's name in one step, and a read-only target refuses to be replaced.
#include <windows.h>

#include "settings/replace_file.h"

#include "app/scoped_win.h"
#include "settings/save_files.h"

#include <algorithm>
#include <vector>

namespace gkr {

namespace {

// File names are narrow text in the ANSI code page, as the C runtime's fopen
// takes them.
std::wstring Wide(const std::string& path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], n);
    return wide;
}

// Absolute form: Wine's file replacement fails on relative names.
std::wstring FullPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (wide.empty()) return wide;
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> full(n + 1, L'\0');
    if (GetFullPathNameW(wide.c_str(), n + 1, full.data(), nullptr) == 0) return std::wstring();
    return std::wstring(full.data());
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

std::string WriteFileBeside(const std::string& path, const std::string& bytes) {
    const std::wstring target = FullPath(path);
    if (target.empty()) return std::string();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return std::string();  // a read-only file stays as it is
    }

    // Beside the target, so the final move stays on its volume.
    const std::string newFile = SaveTempName(path, GetCurrentProcessId());
    const std::wstring wideNew = FullPath(newFile);
    if (wideNew.empty()) return std::string();
    ScopedHandle file(CreateFileW(wideNew.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::string();
    const bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    if (!file.Close() || !ok) {
        DeleteFileW(wideNew.c_str());
        return std::string();
    }
    return newFile;
}

bool MoveFileOver(const std::string& newFile, const std::string& path) {
    const std::wstring from = FullPath(newFile);
    const std::wstring to = FullPath(path);
    if (from.empty() || to.empty()) return false;
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(from.c_str());
        return false;
    }
    return true;
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string newFile = WriteFileBeside(path, bytes);
    return !newFile.empty() && MoveFileOver(newFile, path);
}

}  // namespace gkr
