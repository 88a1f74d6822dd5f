// Decimal text of the 32-bit numbers in conf.xml and SData.xml.
//
// The files carry numbers in the user's locale format: under a Korean locale
// 1024 is stored as "1,024". The grouping is passed in as a value, so reading
// and writing never depend on whatever locale the process happens to have.
#pragma once

#include <cstdint>
#include <string>

namespace gkr {

// How a locale groups the digits of whole numbers. `sizes` follows the
// std::numpunct::grouping() convention: one char per group size, counted from
// the right, the last one repeating; a size of 0 or CHAR_MAX ends the grouping.
struct DigitGrouping {
    char separator = ',';
    std::string sizes;  // empty: no grouping

    static DigitGrouping None() { return DigitGrouping{',', std::string()}; }
    static DigitGrouping Thousands(char sep = ',') { return DigitGrouping{sep, std::string(1, '\3')}; }

    // True when the locale groups at all (and the separator cannot be mistaken
    // for part of a number).
    bool Active() const;
};

// "-1", "0", "1,024": sign for negatives only, no leading zeros.
std::string FormatInt(int32_t value, const DigitGrouping& grouping);

// Accepts an optional sign, then digits with separators only where the grouping
// puts them; the whole text must be consumed and the value must fit 32 bits.
// On failure returns false and leaves `value` untouched.
bool ParseInt(const std::string& text, const DigitGrouping& grouping, int32_t& value);

// The grouping of the user's default locale (Windows: the user default locale's
// thousands separator and grouping; natively: std::locale("")), or none when
// the locale cannot be read. Defined per platform.
DigitGrouping UserDigitGrouping();

// The grouping described the way Windows locale data does it: separator text
// (LOCALE_STHOUSAND) and group list (LOCALE_SGROUPING, for example "3;0" for
// thousands, "3;2;0" for the Indian style, "3" for a single group). A separator
// other than one ASCII punctuation or blank character gives no grouping.
DigitGrouping GroupingFromLocaleInfo(const std::wstring& separator, const std::wstring& groups);

}  // namespace gkr
