// Names and paths of the game's key binding file and of our copies of it.
// Paths are built whole as strings: one that would not fit the system's path
// limit is refused, never cut short to fit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gkr {

// The copy number of the start-up copy, which has no record in the list.
constexpr int32_t kStartupCopy = -1;

// The longest path the plain (not "\\?\") file calls take, and the longest
// folder CreateDirectoryW takes (it keeps room for an 8.3 name).
constexpr size_t kMaxPathLength = 259;
constexpr size_t kMaxFolderLength = 247;

// folder, a backslash (unless folder ends in one) and name; empty when folder
// is empty or the result would be longer than kMaxPathLength.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// "keyconfig-<n>.cfg": keyconfig-0.cfg, ..., and keyconfig--1.cfg for the start-up copy.
std::wstring KeyCopyName(int32_t n);

// Whether name is KeyCopyName(n) for some number n.
bool IsKeyCopyName(const std::wstring& name);

// The process whose copy into the copy folder, killed midway, left the file
// `name` behind: "<copy>.<pid>.tmp" for a copy name or the start-up copy's
// marker. Nothing for any other name.
std::optional<uint32_t> KeyFolderTempOwner(const std::wstring& name);

// Registry value types that hold text.
constexpr uint32_t kRegistryString = 1;          // REG_SZ
constexpr uint32_t kRegistryExpandString = 2;    // REG_EXPAND_SZ

// The text of a registry value read as bytes: UTF-16 code units up to the
// first zero. Nothing for another type, an odd byte count (not text) or an
// empty text.
std::optional<std::wstring> RegistryText(uint32_t type, const std::vector<uint8_t>& bytes);

}  // namespace gkr
