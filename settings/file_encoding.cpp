#include "settings/file_encoding.h"

#include <stdexcept>

namespace gkr {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence at `at`, with its character in `c`; 0 when
// no valid sequence starts there.
size_t NextCharacter(const std::string& bytes, size_t at, char32_t& c) {
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    c = lead;
    if (lead < 0x80) return 1;
    size_t length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, least = 0x80, c &= 0x1Fu;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, least = 0x800, c &= 0x0Fu;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, least = 0x10000, c &= 0x07u;
    else return 0;
    if (bytes.size() - at < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Valid UTF-8: no overlong form, no surrogate, nothing beyond U+10FFFF, no
// sequence cut short. `multiByte` tells whether any character took more than one byte.
bool IsUtf8(const std::string& bytes, bool& multiByte) {
    bool longer = false;
    char32_t c = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = NextCharacter(bytes, at, c);
        if (length == 0) return false;
        longer = longer || length > 1;
        at += length;
    }
    multiByte = longer;
    return true;
}

// The characters as wchar_t (UTF-16 on Windows); nothing for bytes that are not valid UTF-8.
std::optional<std::wstring> Utf8ToWide(const std::string& bytes) {
    std::wstring wide;
    wide.reserve(bytes.size());
    char32_t c = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = NextCharacter(bytes, at, c);
        if (length == 0) return std::nullopt;
        at += length;
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return wide;
}

// A byte-order mark, or an XML declaration at the start whose encoding is "UTF-8" in any case.
bool SaysUtf8(const std::string& text) {
    if (text.compare(0, 3, kUtf8Mark) == 0) return true;
    const size_t start = text.find_first_not_of(" \t\n\r");
    if (start == std::string::npos || text.compare(start, 5, "<?xml") != 0) return false;
    const size_t end = text.find("?>", start);
    const size_t key = text.find("encoding", start);
    if (end == std::string::npos || key == std::string::npos || key > end) return false;
    size_t at = text.find_first_not_of(" \t\n\r", key + 8);
    if (at >= end || text[at] != '=') return false;
    at = text.find_first_not_of(" \t\n\r", at + 1);
    if (at >= end || (text[at] != '"' && text[at] != '\'')) return false;
    const size_t close = text.find(text[at], at + 1);
    if (close >= end) return false;
    std::string value = text.substr(at + 1, close - at - 1);
    for (char& c : value) c = AsciiLower(c);
    return value == "utf-8";
}

}  // namespace

FileEncoding DecideFileEncoding(const std::string& text, const Cp949Conversions& cp949) {
    // A claim the bytes do not bear out is not followed: such a file reads as it always has.
    bool multiByte = false;
    if (!IsUtf8(text, multiByte)) return FileEncoding::Cp949;
    if (SaysUtf8(text)) return FileEncoding::Utf8;
    if (!multiByte) return FileEncoding::Cp949;
    try {
        cp949.toWide(text);
        return FileEncoding::Cp949;  // valid both ways: as the program writes it
    } catch (const std::runtime_error&) {
        return FileEncoding::Utf8;
    }
}

FileTexts::FileTexts(const std::string& text, const Cp949Conversions& cp949)
    : encoding_(DecideFileEncoding(text, cp949)), toNarrow_(cp949.toNarrow) {}

std::optional<std::string> FileTexts::Stored(const std::string& text) const {
    if (encoding_ == FileEncoding::Cp949) return text;
    const std::optional<std::wstring> wide = Utf8ToWide(text);
    if (!wide) return std::nullopt;
    try {
        return toNarrow_(*wide);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

}  // namespace gkr
