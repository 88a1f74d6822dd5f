#include "settings/number_text.h"

#include <climits>
#include <vector>

#include <boost/lexical_cast.hpp>

namespace gkr {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Size of the group at position `index` counted from the right, or 0 once the
// grouping has ended (numpunct: a size <= 0 or CHAR_MAX ends it).
int GroupSize(const std::string& sizes, size_t index) {
    if (sizes.empty()) return 0;
    const char size = index < sizes.size() ? sizes[index] : sizes.back();
    if (size <= 0 || size == CHAR_MAX) return 0;
    return size;
}

std::string InsertSeparators(const std::string& digits, const DigitGrouping& grouping) {
    std::vector<std::string> groups;  // from the right
    size_t end = digits.size();
    for (size_t index = 0; end > 0; ++index) {
        const int size = GroupSize(grouping.sizes, index);
        if (size == 0 || static_cast<size_t>(size) >= end) {
            groups.push_back(digits.substr(0, end));
            break;
        }
        groups.push_back(digits.substr(end - size, size));
        end -= size;
    }
    std::string out;
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (!out.empty()) out += grouping.separator;
        out += *it;
    }
    return out;
}

// Checks that the separators of `body` sit exactly where the grouping puts
// them and returns the bare digits; false for anything else.
bool StripSeparators(const std::string& body, const DigitGrouping& grouping, std::string& digits) {
    std::vector<std::string> groups;  // from the left
    std::string current;
    for (char c : body) {
        if (IsDigit(c)) {
            current += c;
        } else if (grouping.Active() && c == grouping.separator) {
            groups.push_back(current);
            current.clear();
        } else {
            return false;
        }
    }
    groups.push_back(current);

    digits.clear();
    const size_t count = groups.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string& group = groups[i];
        const size_t fromRight = count - 1 - i;
        const int size = GroupSize(grouping.sizes, fromRight);
        if (group.empty()) return false;
        if (i == 0) {
            // The leftmost group may be short; it may be any length only
            // where the grouping has ended.
            if (count > 1 && size != 0 && group.size() > static_cast<size_t>(size)) return false;
        } else if (size == 0 || group.size() != static_cast<size_t>(size)) {
            return false;
        }
        digits += group;
    }
    return true;
}

}  // namespace

bool DigitGrouping::Active() const {
    if (GroupSize(sizes, 0) == 0) return false;
    return !IsDigit(separator) && separator != '+' && separator != '-' && separator != '\0';
}

std::string FormatInt(int32_t value, const DigitGrouping& grouping) {
    // Magnitude in unsigned arithmetic so INT32_MIN has one too.
    const uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    std::string digits = std::to_string(magnitude);
    if (grouping.Active()) digits = InsertSeparators(digits, grouping);
    return value < 0 ? "-" + digits : digits;
}

bool ParseInt(const std::string& text, const DigitGrouping& grouping, int32_t& value) {
    if (text.empty()) return false;
    size_t bodyStart = 0;
    if (text[0] == '+' || text[0] == '-') bodyStart = 1;
    std::string digits;
    if (!StripSeparators(text.substr(bodyStart), grouping, digits)) return false;

    // Range and conversion are lexical_cast's; it sees only sign and digits,
    // so its own reading of the global locale cannot change the result.
    int32_t parsed = 0;
    if (!boost::conversion::try_lexical_convert(text.substr(0, bodyStart) + digits, parsed)) return false;
    value = parsed;
    return true;
}

DigitGrouping GroupingFromLocaleInfo(const std::wstring& separator, const std::wstring& groups) {
    if (separator.size() != 1) return DigitGrouping::None();
    const wchar_t sep = separator[0];
    const bool usable = sep == L' ' || (sep > L' ' && sep < 0x7f && !(sep >= L'0' && sep <= L'9') &&
                                        !(sep >= L'A' && sep <= L'Z') && !(sep >= L'a' && sep <= L'z') &&
                                        sep != L'+' && sep != L'-');
    if (!usable) return DigitGrouping::None();

    // "3;0": groups of three, repeated. "3": one group of three, then no more.
    std::string sizes;
    bool repeatLast = false;
    size_t pos = 0;
    while (pos <= groups.size()) {
        const size_t semicolon = groups.find(L';', pos);
        const std::wstring item = groups.substr(pos, semicolon == std::wstring::npos ? std::wstring::npos : semicolon - pos);
        if (item.size() != 1 || item[0] < L'0' || item[0] > L'9') return DigitGrouping::None();
        const int size = item[0] - L'0';
        const bool last = semicolon == std::wstring::npos;
        if (size == 0) {
            repeatLast = last && !sizes.empty();
            if (!last) return DigitGrouping::None();
        } else {
            sizes += static_cast<char>(size);
        }
        if (last) break;
        pos = semicolon + 1;
    }
    if (sizes.empty()) return DigitGrouping::None();
    if (!repeatLast) sizes += static_cast<char>(CHAR_MAX);
    return DigitGrouping{static_cast<char>(sep), sizes};
}

}  // namespace gkr
