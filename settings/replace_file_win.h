// The file replacement of replace_file.h for wide paths, for folders whose
// names the ANSI code page cannot hold (the game's install folder may be one),
// and the sweep of the temporary files that killed saves left behind.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace gkr {

// A narrow file name (ANSI code page, as fopen takes it) as a wide one.
std::wstring WidePath(const std::string& path);

// As WriteFileBeside in replace_file.h: the new file is
// SaveTempName(path, this process's id); empty on failure.
std::wstring WriteFileBeside(const std::wstring& path, const std::string& bytes);

// As MoveFileOver in replace_file.h; with `replace` false an existing `path`
// is left as it is (and the new file removed).
bool MoveFileOver(const std::wstring& newFile, const std::wstring& path, bool replace = true);

// Removes the files in `folder` that `owner` names as written by a save of a
// process that no longer runs (never this one's): `owner` gives the process
// id of a file name it recognises, nothing for any other name.
using SaveTempOwnerOf = std::function<std::optional<uint32_t>(const std::wstring& name)>;
void RemoveStaleSaveFiles(const std::wstring& folder, const SaveTempOwnerOf& owner);

}  // namespace gkr
