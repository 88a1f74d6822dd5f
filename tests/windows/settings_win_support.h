// Helpers for the settings tests under Windows: a private temp folder, whole
// files as bytes, and the test data folder of the source tree.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace gkr::testing {

// The source tree as Wine shows it: drive Z: is the Unix root.
inline std::string SourceDataFile(const std::string& name) {
    std::string here = __FILE__;  // .../tests/windows/settings_win_support.h
    for (int i = 0; i < 2; ++i) here = here.substr(0, here.find_last_of("/\\"));
    const std::string prefix = here.size() > 1 && here[1] == ':' ? "" : "Z:";
    return prefix + here + "/data/" + name;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WinTempDir {
public:
    WinTempDir() {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "gkr-settings-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter_++);
        if (!CreateDirectoryA(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create " << path_;
    }
    ~WinTempDir() { RemoveTree(path_); }
    WinTempDir(const WinTempDir&) = delete;
    WinTempDir& operator=(const WinTempDir&) = delete;

    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

    // Names in the folder (files and folders), without "." and "..".
    int Count() const {
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return 0;
        int n = 0;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") ++n;
        } while (FindNextFileA(h, &found));
        FindClose(h);
        return n;
    }

private:
    static void RemoveTree(const std::string& dir) {
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string full = dir + "\\" + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
                else DeleteFileA(full.c_str());
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string path_;
    static inline int counter_ = 0;
};

}  // namespace gkr::testing
