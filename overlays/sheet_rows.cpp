#include "overlays/sheet_rows.h"

namespace gkr {

namespace {

const wchar_t kMarks[] = {L'\u3000', L'\u266A', L'\u266C'};  // idle, first play, repeated

std::wstring TwoDigits(int64_t n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); }

}  // namespace

std::wstring CutText(const std::wstring& text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    // A high surrogate at the cut would be half a character.
    if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
    return text.substr(0, end);
}

std::wstring SheetRowText(const EffectFace& face, const std::wstring& effect) {
    const size_t mark = face.state >= kEffectIdle && face.state <= kEffectRepeated ? size_t(face.state) : 0;
    const int64_t left = face.secondsLeft > 0 ? face.secondsLeft : 0;
    std::wstring text(1, kMarks[mark]);
    text += L' ' + TwoDigits(left / 60) + L':' + TwoDigits(left % 60) + L' ' + effect;
    return CutText(text, kMaxRowText);
}

bool SheetRepaint::Due(const std::vector<EffectFace>& faces) {
    if (valid_ && faces == last_) return false;
    last_ = faces;
    valid_ = true;
    return true;
}

}  // namespace gkr
