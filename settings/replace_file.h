// Replacing a file's contents so that a crash, a power cut or a full disk in
// the middle never leaves it truncated: the new contents go to a file of their
// own in the same folder, are flushed to the disk, and only then take the
// target's name in one step. Until that step the old file stays as it was.
// Defined per platform.
#pragma once

#include <string>

namespace gkr {

// Both steps; false (with the old file untouched and no new file left behind)
// when either fails. An existing target without write permission (read-only
// attribute) is not replaced.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);

// Step one: writes `bytes` to a new file beside `path` and flushes it. Returns
// the new file's path, or an empty string on failure (nothing left behind).
std::string WriteFileBeside(const std::string& path, const std::string& bytes);

// Step two: the file written by WriteFileBeside takes the place of `path`.
// On failure it is removed and `path` is left as it was.
bool MoveFileOver(const std::string& newFile, const std::string& path);

// Step two for a file that must replace nothing: the file written by
// WriteFileBeside takes the name `path` only while nothing has that name.
// Taken leaves the new file for another name; Failed removes it.
enum class NewNameMove { Moved, Taken, Failed };
NewNameMove MoveFileToNewName(const std::string& newFile, const std::string& path);

// Removes a file written by WriteFileBeside that is not wanted after all.
void RemoveFileBeside(const std::string& newFile);

}  // namespace gkr
