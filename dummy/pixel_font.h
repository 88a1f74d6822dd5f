// A 3 x 5 pixel font for the few labels and numbers of the game's display.
#pragma once

#include "dummy/image.h"

namespace dummy {

// Draws text with its top-left corner at (x, y); one blank column between
// glyphs, `scale` pixels per font pixel. Characters without a glyph are blank.
// Returns the x just past the text.
int DrawPixelText(Canvas& canvas, int x, int y, const char* text, Rgb color, int scale = 1);

// The same text with a one-pixel drop shadow under and right of it.
int DrawShadowedText(Canvas& canvas, int x, int y, const char* text, Rgb color, Rgb shadow, int scale = 1);

}  // namespace dummy
