#include "app/screen/note_colors.h"

namespace gkr {

const std::array<NoteColor, 7> NoteColorTable = {{
    {1, 0, 255, 0, L"초록색", L"녹"},
    {2, 0, 255, 255, L"하늘색", L"하"},
    {3, 32, 40, 255, L"파라색", L"파"},
    {4, 255, 0, 0, L"빨간색", L"빨"},
    {5, 255, 255, 0, L"노란색", L"노"},
    {6, 240, 17, 238, L"분홍색", L"분"},
    {7, 255, 255, 255, L"흰색", L"흰"},
}};

namespace {

constexpr int kTolerance = 10;  // a channel may differ by 0..9

bool Near(int sampled, int reference) {
    int d = sampled - reference;
    return d > -kTolerance && d < kTolerance;
}

}  // namespace

int32_t MatchNoteColor(uint32_t colorRef) {
    const int r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
    for (const NoteColor& c : NoteColorTable) {
        if (Near(r, c.r) && Near(g, c.g) && Near(b, c.b)) return c.code;
    }
    return 0;
}

const NoteColor* FindNoteColor(int32_t code) {
    for (const NoteColor& c : NoteColorTable) {
        if (c.code == code) return &c;
    }
    return nullptr;
}

}  // namespace gkr
