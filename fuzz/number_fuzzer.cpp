// Number text: ParseInt accepts only what it can read back exactly, and
// everything FormatInt writes parses to the same value.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const gkr::DigitGrouping groupings[] = {
        gkr::DigitGrouping::Thousands(','), gkr::DigitGrouping::None(),
        gkr::DigitGrouping{'.', std::string("\3\2")}, gkr::DigitGrouping{' ', std::string("\2\x7f")}};
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const gkr::DigitGrouping& grouping : groupings) {
        int32_t value = 12345;
        if (gkr::ParseInt(text, grouping, value)) {
            // The accepted text holds a sign, digits and separators only, and
            // the value written back reads the same.
            for (char c : text) {
                if (!(c >= '0' && c <= '9') && c != '+' && c != '-' && c != grouping.separator) std::abort();
            }
            int32_t again = ~value;
            if (!gkr::ParseInt(gkr::FormatInt(value, grouping), grouping, again) || again != value) std::abort();
        } else if (value != 12345) {
            std::abort();  // a refused text must not touch the target
        }
    }
    if (size >= 4) {
        int32_t raw;
        std::memcpy(&raw, data, 4);
        for (const gkr::DigitGrouping& grouping : groupings) {
            int32_t back = ~raw;
            if (!gkr::ParseInt(gkr::FormatInt(raw, grouping), grouping, back) || back != raw) std::abort();
        }
    }
    return 0;
}
