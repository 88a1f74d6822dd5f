#include "settings/save_files.h"

namespace gkr {

namespace {

const char kTempSuffix[] = ".tmp";
constexpr size_t kTempSuffixLength = sizeof kTempSuffix - 1;

}  // namespace

std::string SaveTempName(const std::string& fileName, uint32_t pid) {
    return fileName + "." + std::to_string(pid) + kTempSuffix;
}

std::optional<uint32_t> SaveTempOwner(const std::string& fileName, const std::string& candidate) {
    const size_t prefix = fileName.size() + 1;
    if (candidate.size() <= prefix + kTempSuffixLength || candidate.compare(0, fileName.size(), fileName) != 0 ||
        candidate[fileName.size()] != '.' ||
        candidate.compare(candidate.size() - kTempSuffixLength, kTempSuffixLength, kTempSuffix) != 0)
        return std::nullopt;
    const std::string digits = candidate.substr(prefix, candidate.size() - prefix - kTempSuffixLength);
    if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    uint64_t pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        pid = pid * 10 + uint64_t(c - '0');
    }
    if (pid > UINT32_MAX) return std::nullopt;
    return uint32_t(pid);
}

std::string UnreadCopyName(const std::string& fileName) { return fileName + ".unread"; }

}  // namespace gkr
