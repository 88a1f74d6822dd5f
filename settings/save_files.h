// The names of the files a settings save leaves beside conf.xml, and which of
// them may go: a save writes "<name>.<pid>.tmp" first and renames it over
// the file; a save killed in between leaves the temporary file behind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gkr {

// The temporary file a save by process `pid` writes beside `fileName`.
std::string SaveTempName(const std::string& fileName, uint32_t pid);

// The process id in `candidate` when it is exactly "<fileName>.<pid>.tmp"
// (decimal, no sign, no leading zero), else nothing.
std::optional<uint32_t> SaveTempOwner(const std::string& fileName, const std::string& candidate);

// "<fileName>.unread": where a file that was not read whole is kept.
std::string UnreadCopyName(const std::string& fileName);

}  // namespace gkr
