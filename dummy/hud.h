// The game's heads-up display, drawn over the world.
#pragma once

#include <array>

#include "dummy/image.h"

namespace dummy {

// The parts that never change: the portrait at the top left, the chat box at
// the bottom left and the item box at the bottom right.
void DrawFixedHud(Canvas& canvas);

// Health and stamina gauges at the top left; maxHealth sets the health
// gauge's length (clamped to 50..150).
void DrawGauges(Canvas& canvas, int maxHealth);

// The flute marker and the note panel with up to four notes (codes 1..7 from
// the left; 0 or any other value leaves a slot empty).
void DrawNotePanel(Canvas& canvas, const std::array<int, 4>& notes);

}  // namespace dummy
