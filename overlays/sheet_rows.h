// The texts of the song-sheet panel and page, built as strings and cut only
// where they are shown, so a long effect name from SData.xml never overflows
// anything; and the rule that decides when the panel must be repainted.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "overlays/song_effects.h"

namespace gkr {

// What one row of the panel can show, and a list view cell.
constexpr size_t kMaxRowText = 127;
constexpr size_t kMaxCellText = 255;

// At most `limit` UTF-16 units, never ending inside a surrogate pair.
std::wstring CutText(const std::wstring& text, size_t limit);

// "<mark> MM:SS <effect>": an ideographic space while idle, ♪ after a first
// play, ♬ after a repeat; minutes are not wrapped.
std::wstring SheetRowText(const EffectFace& face, const std::wstring& effect);

// The panel is repainted only when a row would show something else: its mark
// or its whole seconds (plays, rebuilds and resizes repaint on their own).
class SheetRepaint {
public:
    // True when `faces` (one per row) differ from the faces last asked for.
    bool Due(const std::vector<EffectFace>& faces);
    // Forgets the last faces: the next Due is true.
    void Invalidate() { last_.clear(), valid_ = false; }

private:
    std::vector<EffectFace> last_;
    bool valid_ = false;
};

}  // namespace gkr
