// The flute marker and the note panel, shown while the player plays the flute.
// Their read pixels are listed in hud_layout.h.
#include "dummy/hud.h"
#include "dummy/hud_layout.h"
#include "dummy/note_colors.h"

namespace dummy {

namespace {

constexpr Rgb kFrameGold{204, 164, 70};
constexpr Rgb kFrameGoldDark{120, 92, 40};
constexpr Rgb kEmptySlot{58, 60, 74};
constexpr int kGemRadius = 6;

// A black tile with a white flute across it. Its centre column, from y = 51
// down: black (51..54), white (55, 56), black (57..62).
void DrawMarker(Canvas& canvas) {
    const int cx = kMarkerX, top = kMarkerTop - 2;
    canvas.FillRect({cx - 10, top - 1, cx + 11, top + 16}, kFrameGoldDark);
    canvas.FillRect({cx - 9, top, cx + 10, top + 15}, kFrameGold);
    canvas.FillRect({cx - 8, top + 1, cx + 9, top + 14}, kBlack);
    const int flute = kMarkerTop + 4;  // y = 55 and 56
    canvas.FillRect({cx - 7, flute, cx + 8, flute + 2}, kWhite);
    canvas.FillRect({cx - 7, flute, cx - 5, flute + 2}, Rgb{186, 150, 96});  // mouthpiece
    for (int hole : {-3, -1, 2, 4}) canvas.Plot(cx + hole, flute, Rgb{96, 96, 110});
    // A small golden note above the flute, off the centre column.
    canvas.FillRect({cx + 4, top + 1, cx + 5, top + 5}, Rgb{240, 200, 90});
    canvas.FillRect({cx + 2, top + 4, cx + 5, top + 6}, Rgb{240, 200, 90});
}

// Gem centre of slot k in frame coordinates: three pixels left of the sample.
Point GemCentre(int k) {
    return {kNotePanelLeft + SlotSampleX(k) - 3, kNotePanelTop + kSlotSampleY};
}

void DrawGem(Canvas& canvas, Point c, Rgb color) {
    canvas.FillEllipse(c.x, c.y, kGemRadius, kGemRadius, Shade(color, 60, 100));
    // The flat middle holds the exact note colour; the sample lies 3 px right
    // of the centre, well inside it.
    canvas.FillEllipse(c.x, c.y, kGemRadius - 1, kGemRadius - 1, color);
    canvas.BlendEllipse(c.x - 2, c.y - 2, 2, 1, kWhite, 150);
}

}  // namespace

void DrawNotePanel(Canvas& canvas, const std::array<int, 4>& notes) {
    DrawMarker(canvas);
    // Black plate with a gold rim around the panel's read rectangle.
    const Rect plate{kNotePanelLeft - 6, kNotePanelTop - 4, kNotePanelLeft + 94, kNotePanelTop + 22};
    canvas.FillRect(plate, kFrameGoldDark);
    canvas.FillRect({plate.left + 1, plate.top + 1, plate.right - 1, plate.bottom - 1}, kFrameGold);
    canvas.FillRect({plate.left + 2, plate.top + 2, plate.right - 2, plate.bottom - 2}, kBlack);
    bool filling = true;  // notes fill the slots from the left
    for (int k = 0; k < kNoteSlots; ++k) {
        filling = filling && IsNoteCode(notes[k]);
        if (filling) {
            DrawGem(canvas, GemCentre(k), NoteColor(notes[k]));
        } else {
            canvas.Ring(GemCentre(k).x, GemCentre(k).y, kGemRadius, kEmptySlot);
        }
    }
}

}  // namespace dummy
