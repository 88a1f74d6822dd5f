// Keeping a settings file that was there but could not be read whole, before
// a save replaces it. Inline: it compiles into its platform's callers, which
// link the platform's file replacement.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "settings/replace_file.h"
#include "settings/save_files.h"

namespace gkr {

// Files beyond this are not copied (and so not replaced either).
constexpr size_t kMaxKeptFileBytes = size_t{1} << 30;

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
    return ReplaceFileContents(UnreadCopyName(path), bytes);
}

}  // namespace gkr
