#include "dummy/pixel_font.h"

namespace dummy {

namespace {

struct Glyph {
    char ch;
    unsigned char rows[5];  // three bits a row, the high bit on the left
};

constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'/', {1, 1, 2, 4, 4}}, {'H', {5, 5, 7, 5, 5}},
    {'P', {6, 5, 6, 4, 4}}, {'S', {3, 4, 2, 1, 6}}, {'L', {4, 4, 4, 4, 7}}, {'V', {5, 5, 5, 5, 2}},
    {'x', {0, 5, 2, 5, 0}}, {'+', {0, 2, 7, 2, 0}},
};

const Glyph* Find(char ch) {
    for (const Glyph& g : kGlyphs)
        if (g.ch == ch) return &g;
    return nullptr;
}

}  // namespace

int DrawPixelText(Canvas& canvas, int x, int y, const char* text, Rgb color, int scale) {
    for (; *text; ++text) {
        if (const Glyph* g = Find(*text))
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g->rows[row] & (4 >> col))
                        canvas.FillRect({x + col * scale, y + row * scale, x + (col + 1) * scale,
                                         y + (row + 1) * scale},
                                        color);
        x += 4 * scale;
    }
    return x;
}

int DrawShadowedText(Canvas& canvas, int x, int y, const char* text, Rgb color, Rgb shadow, int scale) {
    DrawPixelText(canvas, x + 1, y + 1, text, shadow, scale);
    return DrawPixelText(canvas, x, y, text, color, scale);
}

}  // namespace dummy
