// Keeping a settings file that was there but could not be read whole, or was
// read from UTF-8, before a save replaces it. Inline: it compiles into its
// platform's callers, which link the platform's file replacement.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "settings/replace_file.h"
#include "settings/save_files.h"

namespace gkr {

// Files beyond this are not copied (and so not replaced either).
constexpr size_t kMaxKeptFileBytes = size_t{1} << 30;
// Kept copies are numbered 0 .. kMaxKeptCopies - 1 (UnreadCopyName). With all
// of them there nothing more is kept, so the file is not replaced either.
constexpr size_t kMaxKeptCopies = 100;

// Writes `bytes` once beside `path` (a kill midway leaves the save's own
// temporary file, which the next start removes), then gives it the first free
// kept name.
inline bool KeepUnderFreeName(const std::string& path, const std::string& bytes) {
    const std::string newFile = WriteFileBeside(path, bytes);
    if (newFile.empty()) return false;
    for (size_t number = 0; number < kMaxKeptCopies; ++number) {
        switch (MoveFileToNewName(newFile, UnreadCopyName(path, number))) {
        case NewNameMove::Moved:
            return true;
        case NewNameMove::Failed:
            return false;
        case NewNameMove::Taken:
            break;
        }
    }
    RemoveFileBeside(newFile);
    return false;
}

inline bool CopyToUnread(const std::string& path) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::string bytes;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, got);
        if (bytes.size() > kMaxKeptFileBytes) return false;
    }
    if (std::ferror(file.get())) return false;
    return KeepUnderFreeName(path, bytes);
}

}  // namespace gkr
