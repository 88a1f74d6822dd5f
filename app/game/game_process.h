// Finding the game's process among the system's process records: which image
// name is the game's, how the record list of the system-information query is
// walked safely, and how far its buffer may grow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gkr {

// True when the last part of `path` (after its last backslash, all of it if
// there is none) is the game's image name, in any letter case. Compared by
// length: the text need not end in a zero.
bool IsGameImage(std::wstring_view path);

// The system-information query's buffer: the first size, and the next size
// after the query said the buffer was too small; 0 once the next would pass
// the limit, which ends the lookup.
constexpr size_t kFirstQueryBufferSize = 0x8000;
constexpr size_t kMaxQueryBufferSize = 64u << 20;
size_t NextQueryBufferSize(size_t size);

// Where the fields of one process record lie in this build's layout.
struct ProcessRecordLayout {
    size_t recordSize;         // the fixed part of a record
    size_t nextOffset;         // 32-bit offset of the next record, 0 for the last
    size_t nameLengthOffset;   // 16-bit length of the image name in bytes
    size_t nameBufferOffset;   // address of the name's UTF-16 text
    size_t processIdOffset;    // pointer-sized process id
};

// Walks the records in data[0, size) and returns the process id of the first
// whose image name is the game's, or 0. A record, a name or a next offset
// that leads outside the buffer (or backwards) ends the walk; a record without
// a name (the idle process) never matches.
uint64_t FindGameProcessRecord(const unsigned char* data, size_t size, const ProcessRecordLayout& layout);

}  // namespace gkr
