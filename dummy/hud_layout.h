// Where the game's heads-up display lies in the 644 x 483 frame. The companion
// utility reads a handful of these pixels from the screen, so their positions
// and colours are fixed; the rest of the display is free decoration.
#pragma once

#include "dummy/image.h"

namespace dummy {

constexpr int kFrameWidth = 644;
constexpr int kFrameHeight = 483;

// Health gauge. A bar with a black one-pixel frame; row y = 30 crosses its fill.
// The fill is one colour along each row (the left end at x = 120..122 is read as
// the gauge's colour), and the frame's right column, the only black pixel of the
// row right of the gauge's left end, sits at x = 122 + floor(3.25 x max health).
constexpr int kGaugeRow = 30;
constexpr int kGaugeFrameLeft = 118;
constexpr int kGaugeFrameTop = 25;
constexpr int kGaugeFrameBottom = 35;  // inclusive
constexpr int kMinMaxHealth = 50;
constexpr int kMaxMaxHealth = 150;
constexpr int kMaxHealthStep = 5;

constexpr bool IsGaugeMaxHealth(int v) {
    return v >= kMinMaxHealth && v <= kMaxMaxHealth && v % kMaxHealthStep == 0;
}
// Column of the gauge frame's right edge for a maximum health v.
constexpr int GaugeEndX(int maxHealth) { return 122 + 325 * maxHealth / 100; }

// Note-panel marker: a flute icon whose centre column x = 215 reads, from
// y = 51 down, ? ? ? black white white black black black ? ?.
constexpr int kMarkerX = 215;
constexpr int kMarkerTop = 51;

// Note panel: four note slots on black, read relative to its top-left pixel.
// Slot k has base x0 = 24k; its frame pixels (x0, yk) and (x0 + 14, yk) are
// black (yk = 8 for even k, 16 for odd k), and its colour sample lies at
// (x0 + 10 + dk, 8) with dk = 0 for even k and 5 for odd k. A slot is filled
// with a note gem in the note's exact colour, or left black when empty.
constexpr int kNotePanelLeft = 239;
constexpr int kNotePanelTop = 53;
constexpr int kNoteSlots = 4;
constexpr int SlotBaseX(int k) { return 24 * k; }
constexpr int SlotFrameY(int k) { return k % 2 == 0 ? 8 : 16; }
constexpr int SlotSampleX(int k) { return SlotBaseX(k) + 10 + (k % 2 == 0 ? 0 : 5); }
constexpr int kSlotSampleY = 8;

// The parts of the frame that change with the scene. Everything the gauges or
// the note panel may draw lies inside these, and nothing else changes.
constexpr Rect kGaugeBand{104, 22, 616, 47};
constexpr Rect kNoteBand{200, 47, 340, 78};

}  // namespace dummy
