#include "settings/save_files.h"

#include <utility>

namespace gkr {

namespace {

const char kTempSuffix[] = ".tmp";
constexpr size_t kTempSuffixLength = sizeof kTempSuffix - 1;

template <class Text>
Text TempName(const Text& fileName, uint32_t pid) {
    const std::string digits = std::to_string(pid);
    Text name = fileName;
    name += '.';
    name.append(digits.begin(), digits.end());
    name.append(kTempSuffix, kTempSuffix + kTempSuffixLength);
    return name;
}

// The split of "<target>.<pid>.tmp": where the target ends, and the pid.
template <class Text>
std::optional<std::pair<size_t, uint32_t>> SplitTemp(const Text& candidate) {
    const Text suffix(kTempSuffix, kTempSuffix + kTempSuffixLength);
    if (candidate.size() <= kTempSuffixLength ||
        candidate.compare(candidate.size() - kTempSuffixLength, kTempSuffixLength, suffix) != 0)
        return std::nullopt;
    const size_t digitsEnd = candidate.size() - kTempSuffixLength;
    const size_t dot = candidate.find_last_of('.', digitsEnd - 1);
    if (dot == Text::npos || dot == 0) return std::nullopt;
    const size_t count = digitsEnd - dot - 1;
    if (count == 0 || count > 10 || (count > 1 && candidate[dot + 1] == '0')) return std::nullopt;
    uint64_t pid = 0;
    for (size_t i = dot + 1; i < digitsEnd; ++i) {
        if (candidate[i] < '0' || candidate[i] > '9') return std::nullopt;
        pid = pid * 10 + uint64_t(candidate[i] - '0');
    }
    if (pid > UINT32_MAX) return std::nullopt;
    return std::make_pair(dot, uint32_t(pid));
}

template <class Text>
std::optional<uint32_t> Owner(const Text& fileName, const Text& candidate) {
    const auto split = SplitTemp(candidate);
    if (!split || split->first != fileName.size() || candidate.compare(0, fileName.size(), fileName) != 0)
        return std::nullopt;
    return split->second;
}

}  // namespace

std::string SaveTempName(const std::string& fileName, uint32_t pid) { return TempName(fileName, pid); }
std::wstring SaveTempName(const std::wstring& fileName, uint32_t pid) { return TempName(fileName, pid); }

std::optional<uint32_t> SaveTempOwner(const std::string& fileName, const std::string& candidate) {
    return Owner(fileName, candidate);
}

std::optional<uint32_t> SaveTempOwner(const std::wstring& fileName, const std::wstring& candidate) {
    return Owner(fileName, candidate);
}

std::optional<std::wstring> SaveTempTarget(const std::wstring& candidate) {
    const auto split = SplitTemp(candidate);
    if (!split) return std::nullopt;
    return candidate.substr(0, split->first);
}

std::string UnreadCopyName(const std::string& fileName, size_t number) {
    return fileName + ".unread" + (number == 0 ? std::string() : "." + std::to_string(number));
}

}  // namespace gkr
