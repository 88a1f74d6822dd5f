#include "app/screen/note_panel.h"

namespace gkr {

namespace {

// The marker column's rows 3..8: black, white, white, black, black, black.
constexpr int kMarkerFirstRow = 3, kMarkerLastRow = 8;

}  // namespace

bool HasNotePanelMarker(const PixelBlock& column) {
    // Tested in this order, the most telling pixels first.
    return column.IsBlack(0, 7) && column.IsBlack(0, 3) && column.IsWhite(0, 4) && column.IsWhite(0, 5) &&
           column.IsBlack(0, 6) && column.IsBlack(0, kMarkerLastRow);
}

bool IsNotePanelVisible(const PixelBlock& column, int32_t maxHealthScan) {
    return HasNotePanelMarker(column) && maxHealthScan > 0;
}

namespace {

constexpr int kSlotSpacing = 24;
constexpr int kFrameWidth = 14;
constexpr int kSampleRow = 8;

// Slots 1 and 3 sit lower and their note is drawn further right.
bool IsLowSlot(int slot) { return slot % 2 == 1; }
int FrameRow(int slot) { return IsLowSlot(slot) ? 16 : 8; }
int SampleX(int slot) { return kSlotSpacing * slot + 10 + (IsLowSlot(slot) ? 5 : 0); }

}  // namespace

std::vector<ClientPoint> NotePanelExaminedPixels() {
    std::vector<ClientPoint> pixels;
    for (int row = kMarkerFirstRow; row <= kMarkerLastRow; ++row)
        pixels.push_back({kMarkerColumnRect.left, kMarkerColumnRect.top + row});
    const int left = kNotePanelRect.left, top = kNotePanelRect.top;
    for (int k = 0; k < kNoteSlots; ++k) {
        const int x0 = left + kSlotSpacing * k, y = top + FrameRow(k);
        pixels.push_back({x0, y});
        pixels.push_back({x0 + kFrameWidth, y});
        pixels.push_back({left + SampleX(k), top + kSampleRow});
    }
    return pixels;
}

NoteSlots ReadNoteSlots(const PixelBlock& panel) {
    NoteSlots slots;
    for (int k = 0; k < kNoteSlots; ++k) {
        const int x0 = kSlotSpacing * k, y = FrameRow(k);
        if (!panel.IsBlack(x0, y) || !panel.IsBlack(x0 + kFrameWidth, y)) return slots;
    }
    slots.framed = true;

    slots.filled = kNoteSlots;
    for (int k = 0; k < kNoteSlots; ++k) {
        const int x = SampleX(k);
        if (panel.IsBlack(x, kSampleRow)) {
            slots.filled = k;
            break;
        }
        // A sample that was not captured cannot be matched; it stays 0 and counts as filled.
        slots.colors[k] = panel.Has(x, kSampleRow) ? panel.At(x, kSampleRow).ToColorRef() : 0;
    }
    return slots;
}

}  // namespace gkr
