// Conversion between the narrow texts of the data files (code page 949, the
// encoding of the Korean systems the program serves) and the wide (UTF-16)
// texts of the user interface.
//
// The conversion is pinned to code page 949 instead of following the process
// locale: the C++ runtimes we build with know no code-page-949 locale, and the
// files must read the same on every machine.
//
// ToWide and ToNarrow are defined per platform (the Windows code page 949
// tables; iconv's "CP949" natively), so portable .cpp files must not call them
// (the Windows link puts the platform library first); the helpers below are
// inline so that they compile into their callers.
#pragma once

#include <stdexcept>
#include <string>

namespace gkr {

// Throws std::runtime_error("can't convert string to wstring") for a byte
// sequence that is not code page 949. A lead byte cut off at the end is
// dropped, and the result ends at the first zero character.
std::wstring ToWide(const std::string& narrow);

// Throws std::runtime_error("can't convert wstring to string") for a character
// code page 949 cannot represent; nothing is replaced by a look-alike. The
// result ends at the first zero byte.
std::string ToNarrow(const std::wstring& wide);

// The two conversions handed to portable code, which cannot link them itself.
struct Cp949Conversions {
    std::wstring (*toWide)(const std::string&);
    std::string (*toNarrow)(const std::wstring&);
};

// This platform's conversions; for platform files and native tests only.
inline Cp949Conversions PlatformCp949() { return {&ToWide, &ToNarrow}; }

// The replacement DisplayText shows: ASCII bytes as they are, every other byte
// as U+FFFD, up to the first zero byte.
std::wstring ReplacementText(const std::string& narrow);

// A stored name for display. Bytes that are not code page 949 (a name written
// into conf.xml in another encoding) do not make the name vanish: it shows as
// its ReplacementText.
inline std::wstring DisplayText(const std::string& narrow) {
    try {
        return ToWide(narrow);
    } catch (const std::runtime_error&) {
        return ReplacementText(narrow);
    }
}

// The conversions for callers that carry on with a replacement of their own.
inline std::wstring ToWideOr(const std::string& narrow, const std::wstring& replacement) {
    try {
        return ToWide(narrow);
    } catch (const std::runtime_error&) {
        return replacement;
    }
}

inline std::string ToNarrowOr(const std::wstring& wide, const std::string& replacement) {
    try {
        return ToNarrow(wide);
    } catch (const std::runtime_error&) {
        return replacement;
    }
}

}  // namespace gkr
