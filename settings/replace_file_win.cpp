// File replacement with MoveFileExW: on the same volume the new file takes the
// old one's name in one step, and a read-only target refuses to be replaced.
#include <windows.h>

#include "settings/replace_file.h"
#include "settings/replace_file_win.h"

#include "app/framework/scoped_win.h"
#include "settings/save_files.h"

#include <algorithm>
#include <vector>

namespace gkr {

namespace {

// Absolute form: Wine's file replacement fails on relative names. Beyond
// MAX_PATH in the "\\?\" form, which the plain file calls need there: the
// temporary name is longer than its target, which may itself be close to
// the limit (a deep install folder).
std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return path;
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> buffer(n + 1, L'\0');
    if (GetFullPathNameW(path.c_str(), n + 1, buffer.data(), nullptr) == 0) return std::wstring();
    const std::wstring full(buffer.data());
    if (full.size() < MAX_PATH || full.compare(0, 4, L"\\\\?\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
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

// Unsure answers count as running: a file of a live save must never go.
bool ProcessRunning(DWORD pid) {
    ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process.Valid()) return GetLastError() != ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

std::wstring WidePath(const std::string& path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], n);
    return wide;
}

std::wstring WriteFileBeside(const std::wstring& path, const std::string& bytes) {
    const std::wstring target = FullPath(path);
    if (target.empty()) return std::wstring();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return std::wstring();  // a read-only file stays as it is
    }

    // Beside the target, so the final move stays on its volume; a start after
    // a kill finds it by this name (RemoveStaleSaveFiles).
    const std::wstring newFile = FullPath(SaveTempName(target, GetCurrentProcessId()));
    if (newFile.empty()) return std::wstring();
    ScopedHandle file(CreateFileW(newFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::wstring();
    const bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    if (!file.Close() || !ok) {
        DeleteFileW(newFile.c_str());
        return std::wstring();
    }
    return newFile;
}

bool MoveFileOver(const std::wstring& newFile, const std::wstring& path, bool replace) {
    const std::wstring from = FullPath(newFile);
    const std::wstring to = FullPath(path);
    if (from.empty() || to.empty()) return false;
    if (!MoveFileExW(from.c_str(), to.c_str(), (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(from.c_str());
        return false;
    }
    return true;
}

std::string WriteFileBeside(const std::string& path, const std::string& bytes) {
    const std::wstring wide = WidePath(path);
    if (wide.empty()) return std::string();
    // The same file as the wide one, named as the caller names the target.
    return WriteFileBeside(wide, bytes).empty() ? std::string() : SaveTempName(path, GetCurrentProcessId());
}

bool MoveFileOver(const std::string& newFile, const std::string& path) {
    const std::wstring from = WidePath(newFile), to = WidePath(path);
    if (from.empty() || to.empty()) return false;
    return MoveFileOver(from, to);
}

NewNameMove MoveFileToNewName(const std::string& newFile, const std::string& path) {
    const std::wstring from = FullPath(WidePath(newFile)), to = FullPath(WidePath(path));
    if (from.empty() || to.empty()) {
        RemoveFileBeside(newFile);
        return NewNameMove::Failed;
    }
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return NewNameMove::Moved;
    // Whatever has the name (a read-only file, a folder) keeps it.
    if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES) return NewNameMove::Taken;
    DeleteFileW(from.c_str());
    return NewNameMove::Failed;
}

void RemoveFileBeside(const std::string& newFile) {
    const std::wstring file = FullPath(WidePath(newFile));
    if (!file.empty()) DeleteFileW(file.c_str());
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string newFile = WriteFileBeside(path, bytes);
    return !newFile.empty() && MoveFileOver(newFile, path);
}

void RemoveStaleSaveFiles(const std::wstring& folder, const SaveTempOwnerOf& owner) {
    std::wstring prefix = folder;
    if (!prefix.empty() && prefix.back() != L'\\' && prefix.back() != L'/') prefix += L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((prefix + L"*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::optional<uint32_t> pid = owner(found.cFileName);
        if (pid && *pid != GetCurrentProcessId() && !ProcessRunning(*pid))
            DeleteFileW(FullPath(prefix + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace gkr
