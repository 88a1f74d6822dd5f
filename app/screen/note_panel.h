// The game's note panel: the marker that says it is on screen, and the four
// note slots that show the notes of the song being played.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/screen/screen_pixels.h"

namespace gkr {

// The marker is read from the single column x = 215, y = 51..61 (pixel j at y = 51 + j).
constexpr CaptureRect kMarkerColumnRect{215, 51, 215, 61};

// The panel is read from the block (239, 53)..(326, 70), 88 x 18 pixels.
constexpr CaptureRect kNotePanelRect{239, 53, 326, 70};

constexpr int kNoteSlots = 4;

// A black-white-black stripe pattern that the game draws only beside the panel.
bool HasNotePanelMarker(const PixelBlock& column);

// What the four slots of one capture show.
struct NoteSlots {
    bool framed = false;  // every slot's frame was found; otherwise ignore the rest
    int filled = 0;       // slots before the first black sample, 0..4
    std::array<uint32_t, kNoteSlots> colors{};  // sampled colours (0x00BBGGRR) of the filled slots
};

NoteSlots ReadNoteSlots(const PixelBlock& panel);

// Every pixel the marker test and the slot reading examine, relative to the
// capture origin.
std::vector<ClientPoint> NotePanelExaminedPixels();

// The panel counts as visible only beside a health gauge whose maximum was read.
bool IsNotePanelVisible(const PixelBlock& column, int32_t maxHealthScan);

}  // namespace gkr
