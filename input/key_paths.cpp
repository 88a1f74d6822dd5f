#include "input/key_paths.h"

#include "app/contract.h"

namespace gkr {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return std::wstring();
    const wchar_t last = folder.back();
    std::wstring path = folder;
    if (last != L'\\' && last != L'/') path += L'\\';
    path += name;
    return path.size() <= kMaxPathLength ? path : std::wstring();
}

std::wstring KeyCopyName(int32_t n) {
    const std::string digits = std::to_string(n);
    return kKeyCopyPrefix + std::wstring(digits.begin(), digits.end()) + kKeyCopySuffix;
}

std::optional<std::wstring> RegistryText(uint32_t type, const std::vector<uint8_t>& bytes) {
    if ((type != kRegistryString && type != kRegistryExpandString) || bytes.size() % 2 != 0) return std::nullopt;
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const wchar_t unit = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == L'\0') break;  // the terminator, or text that ends early
        text += unit;
    }
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace gkr
