#include "app/game/game_process.h"

#include <cstring>
#include <string>

#include "app/framework/contract.h"

namespace gkr {

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

template <class T>
T Read(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

bool IsGameImage(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'\\');
    const std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const std::wstring_view game = kGameImageName;
    if (name.size() != game.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (FoldAscii(name[i]) != FoldAscii(game[i])) return false;
    return true;
}

size_t NextQueryBufferSize(size_t size) {
    return size <= kMaxQueryBufferSize / 2 ? size * 2 : 0;
}

uint64_t FindGameProcessRecord(const unsigned char* data, size_t size, const ProcessRecordLayout& layout) {
    const uintptr_t begin = reinterpret_cast<uintptr_t>(data);
    size_t offset = 0;
    while (data && offset <= size && size - offset >= layout.recordSize) {
        const unsigned char* record = data + offset;
        const uint16_t nameBytes = Read<uint16_t>(record + layout.nameLengthOffset);
        const uintptr_t name = Read<uintptr_t>(record + layout.nameBufferOffset);
        // The name's text lies inside the buffer, in whole UTF-16 units.
        if (name != 0 && name >= begin && name - begin <= size && size - (name - begin) >= nameBytes) {
            std::wstring text(nameBytes / 2, L'\0');
            for (size_t i = 0; i < text.size(); ++i)
                text[i] = static_cast<wchar_t>(Read<uint16_t>(data + (name - begin) + 2 * i));
            if (IsGameImage(text)) return Read<uintptr_t>(record + layout.processIdOffset);
        }
        const uint32_t next = Read<uint32_t>(record + layout.nextOffset);
        if (next == 0 || next < layout.recordSize) break;
        offset += next;
    }
    return 0;
}

}  // namespace gkr
