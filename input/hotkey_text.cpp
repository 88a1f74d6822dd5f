#include "input/hotkey_text.h"

namespace gkr {

std::wstring PadCodeText(int32_t code) {
    static const wchar_t* const kNames[] = {
        L"-X", L"+X", L"-Y", L"+Y", L"-Z", L"+Z", L"-R", L"+R",
        L"\u2193", L"\u2191", L"\u2190", L"\u2192",  // hat down, up, left, right
        L"-U", L"+U", L"-V", L"+V",
    };
    if (code <= -1 && code >= -16) return kNames[-code - 1];
    return L"BTN_" + std::to_wstring(code);
}

std::wstring KeyItemText(const std::wstring& name, uint32_t code) {
    return name + L"(" + std::to_wstring(static_cast<int32_t>(code)) + L")";
}

std::wstring JoinItems(const std::vector<std::wstring>& items) {
    std::wstring text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += L" + ";
        text += items[i];
    }
    return text;
}

std::wstring ShownText(const std::wstring& text) {
    if (text.size() <= kShownTextLimit) return text;
    size_t length = kShownTextLimit;
    const wchar_t last = text[length - 1];
    if (last >= 0xD800 && last <= 0xDBFF) --length;  // a lead surrogate without its partner
    return text.substr(0, length);
}

uint32_t KeyNameScanCode(uint32_t code, uint32_t scan) {
    const bool navigation = (code >= 0x21 && code <= 0x28) || code == 0x2D || code == 0x2E;
    return navigation ? scan | 0x100 : scan;
}

}  // namespace gkr
