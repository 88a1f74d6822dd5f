// The user default locale's digit grouping, from the Windows locale data.
#include <windows.h>

#include "settings/number_text.h"

namespace gkr {

DigitGrouping UserDigitGrouping() {
    wchar_t separator[8] = {};
    wchar_t groups[32] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) == 0 ||
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SGROUPING, groups, 32) == 0) {
        return DigitGrouping::None();
    }
    return GroupingFromLocaleInfo(separator, groups);
}

}  // namespace gkr
