// Code page 949 through the Windows conversion tables.
#include <windows.h>

#include <vector>

#include "settings/text_convert.h"

namespace gkr {

namespace {

constexpr UINT kCodePage = 949;

// Length of `narrow` without a lead byte whose trail byte was cut off; the
// Windows tables reject such a byte, the conversion drops it.
size_t CompleteLength(const std::string& narrow) {
    size_t i = 0;
    while (i < narrow.size()) {
        if (IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(narrow[i]))) {
            if (i + 1 == narrow.size()) return i;
            i += 2;
        } else {
            ++i;
        }
    }
    return narrow.size();
}

}  // namespace

std::wstring ToWide(const std::string& narrow) {
    const int length = static_cast<int>(CompleteLength(narrow));
    if (length == 0) return std::wstring();
    const int needed = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, narrow.data(), length, nullptr, 0);
    if (needed <= 0) throw std::runtime_error("can't convert string to wstring");
    std::vector<wchar_t> buffer(static_cast<size_t>(needed) + 1, L'\0');
    if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, narrow.data(), length, buffer.data(), needed) != needed) {
        throw std::runtime_error("can't convert string to wstring");
    }
    return std::wstring(buffer.data());  // up to the first zero character
}

std::string ToNarrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) throw std::runtime_error("can't convert wstring to string");
    std::vector<char> buffer(static_cast<size_t>(needed) + 1, '\0');
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, buffer.data(), needed, nullptr,
                            &usedDefault) != needed ||
        usedDefault) {
        throw std::runtime_error("can't convert wstring to string");
    }
    return std::string(buffer.data());  // up to the first zero byte
}

}  // namespace gkr
