#include "input/key_paths.h"

#include "app/framework/contract.h"
#include "settings/save_files.h"

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

bool IsKeyCopyName(const std::wstring& name) {
    const std::wstring prefix = kKeyCopyPrefix, suffix = kKeyCopySuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::wstring number = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    // Only the form KeyCopyName writes: an optional minus, digits, no leading zero, 32 bits.
    const size_t digits = number[0] == L'-' ? 1 : 0;
    if (number.size() == digits || number.size() - digits > 10) return false;
    int64_t value = 0;
    for (size_t i = digits; i < number.size(); ++i) {
        if (number[i] < L'0' || number[i] > L'9') return false;
        value = value * 10 + (number[i] - L'0');
    }
    if (digits) value = -value;
    return value >= INT32_MIN && value <= INT32_MAX && KeyCopyName(static_cast<int32_t>(value)) == name;
}

std::optional<uint32_t> KeyFolderTempOwner(const std::wstring& name) {
    const std::optional<std::wstring> target = SaveTempTarget(name);
    if (!target || (!IsKeyCopyName(*target) && *target != kStartupCopyMarker)) return std::nullopt;
    return SaveTempOwner(*target, name);
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
