// The names of the files a save leaves beside the file it replaces, and which
// of them may go: a save writes "<name>.<pid>.tmp" first and renames it over
// the file; a save killed in between leaves the temporary file behind. Narrow
// names for the settings files, wide ones for folders of any name (the
// game's install folder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gkr {

// The temporary file a save by process `pid` writes beside `fileName`.
std::string SaveTempName(const std::string& fileName, uint32_t pid);
std::wstring SaveTempName(const std::wstring& fileName, uint32_t pid);

// The process id in `candidate` when it is exactly "<fileName>.<pid>.tmp"
// (decimal, no sign, no leading zero), else nothing.
std::optional<uint32_t> SaveTempOwner(const std::string& fileName, const std::string& candidate);
std::optional<uint32_t> SaveTempOwner(const std::wstring& fileName, const std::wstring& candidate);

// "<fileName>" of a candidate named "<fileName>.<pid>.tmp" as above, for
// whichever fileName; nothing for any other name.
std::optional<std::wstring> SaveTempTarget(const std::wstring& candidate);

// Where a file that was not read whole is kept: "<fileName>.unread" for
// number 0, "<fileName>.unread.<number>" for the later ones.
std::string UnreadCopyName(const std::string& fileName, size_t number = 0);

}  // namespace gkr
