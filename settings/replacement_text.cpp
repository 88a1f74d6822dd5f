#include "settings/text_convert.h"

namespace gkr {

std::wstring ReplacementText(const std::string& narrow) {
    std::wstring text;
    for (char c : narrow) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == 0) break;
        text += byte < 0x80 ? static_cast<wchar_t>(byte) : L'\ufffd';
    }
    return text;
}

}  // namespace gkr
