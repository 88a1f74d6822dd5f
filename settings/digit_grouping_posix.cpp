// The user locale's digit grouping, from the C++ library's numpunct facet.
#include <locale>
#include <stdexcept>

#include "settings/number_text.h"

namespace gkr {

DigitGrouping UserDigitGrouping() {
    try {
        const std::locale user("");
        const auto& punct = std::use_facet<std::numpunct<char>>(user);
        DigitGrouping grouping{punct.thousands_sep(), punct.grouping()};
        return grouping.Active() ? grouping : DigitGrouping::None();
    } catch (const std::runtime_error&) {
        return DigitGrouping::None();  // LANG names a locale this system lacks
    }
}

}  // namespace gkr
