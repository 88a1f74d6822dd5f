// The display parts that stay the same in every scene.
#include "dummy/hud.h"

#include "dummy/pixel_font.h"
#include "dummy/terrain.h"
#include "dummy/world.h"

namespace dummy {

namespace {

constexpr Rgb kFrameGold{204, 164, 70};
constexpr Rgb kFrameGoldDark{120, 92, 40};
constexpr Rgb kPanel{16, 18, 30};
constexpr Rgb kTextShadow{18, 18, 26};

void DrawPortrait(Canvas& canvas) {
    constexpr int cx = 56, cy = 56, inner = 36;
    // The bust is painted on its own and copied in through the round frame.
    constexpr int size = 2 * inner + 1;
    Image bust(size, size, Rgb{40, 48, 78});
    Canvas b(bust);
    b.FillEllipse(inner, inner + 8, 30, 26, Rgb{52, 62, 98});
    b.FillEllipse(inner, inner + 42, 30, 16, Rgb{172, 42, 38});
    b.FillEllipse(inner - 22, inner + 30, 11, 7, Rgb{156, 162, 178});
    b.FillEllipse(inner + 22, inner + 30, 11, 7, Rgb{104, 110, 128});
    DrawRaiderHead(b, inner, inner + 6, 150);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((x - inner) * (x - inner) + (y - inner) * (y - inner) <= inner * inner)
                canvas.Plot(cx - inner + x, cy - inner + y, bust.At(x, y));
    for (int r = 37; r <= 40; ++r) canvas.Ring(cx, cy, r, kFrameGold);
    canvas.Ring(cx, cy, 41, kFrameGoldDark);
    // Level badge.
    canvas.FillEllipse(cx - 30, cy + 30, 11, 11, kFrameGoldDark);
    canvas.FillEllipse(cx - 30, cy + 30, 9, 9, Rgb{120, 30, 30});
    DrawShadowedText(canvas, cx - 37, cy + 28, "27", Rgb{250, 236, 190}, kTextShadow);
}

void DrawChatBox(Canvas& canvas) {
    const Rect box{8, 392, 236, 474};
    canvas.BlendRect(box, kPanel, 120);
    static const Rgb kLineColors[] = {{226, 226, 232}, {236, 212, 120}, {150, 214, 250}, {226, 226, 232},
                                      {180, 236, 150}, {226, 226, 232}};
    for (int line = 0; line < 6; ++line) {
        int x = box.left + 6;
        const int y = box.top + 6 + line * 12;
        const Rgb c = kLineColors[line];
        const int words = 3 + static_cast<int>(Hash(line, 0, 51) % 5u);
        for (int w = 0; w < words && x < box.right - 20; ++w) {
            const int len = 6 + static_cast<int>(Hash(line, w, 52) % 20u);
            canvas.FillRect({x, y + 1, x + len, y + 6}, Shade(c, 80, 100));
            canvas.FillRect({x, y + 2, x + len, y + 4}, c);
            x += len + 4;
        }
    }
}

void DrawPotion(Canvas& canvas, int cx, int cy, Rgb liquid) {
    canvas.FillRect({cx - 3, cy - 12, cx + 3, cy - 4}, Rgb{190, 200, 210});
    canvas.FillRect({cx - 4, cy - 14, cx + 4, cy - 11}, Rgb{130, 90, 56});
    canvas.FillEllipse(cx, cy + 3, 10, 10, Rgb{200, 210, 220});
    canvas.FillEllipse(cx, cy + 4, 8, 8, liquid);
    canvas.FillEllipse(cx - 3, cy + 1, 2, 3, Mix(liquid, kWhite, 170));
}

void DrawItemSlot(Canvas& canvas, int index, int left, int top) {
    const Rect slot{left, top, left + 36, top + 36};
    canvas.FillRect(slot, Rgb{30, 32, 46});
    canvas.FrameRect(slot, kFrameGoldDark);
    canvas.FrameRect({left + 1, top + 1, left + 35, top + 35}, Rgb{62, 58, 70});
    const int cx = left + 18, cy = top + 18;
    switch (index) {
        case 0:
            DrawPotion(canvas, cx, cy, Rgb{210, 40, 46});
            break;
        case 1:
            DrawPotion(canvas, cx, cy, Rgb{50, 96, 220});
            break;
        case 2:  // bread
            canvas.FillEllipse(cx, cy + 2, 13, 8, Rgb{176, 120, 58});
            canvas.FillEllipse(cx - 2, cy, 10, 5, Rgb{212, 158, 86});
            break;
        case 3:  // scroll
            canvas.FillRect({cx - 10, cy - 8, cx + 10, cy + 8}, Rgb{230, 214, 170});
            canvas.FillEllipse(cx - 11, cy, 3, 9, Rgb{196, 170, 120});
            canvas.FillEllipse(cx + 11, cy, 3, 9, Rgb{196, 170, 120});
            for (int ly = cy - 5; ly < cy + 6; ly += 3) canvas.FillRect({cx - 7, ly, cx + 7, ly + 1}, Rgb{150, 120, 90});
            break;
        default:  // flute
            canvas.Line(cx - 12, cy + 10, cx + 12, cy - 10, Rgb{140, 96, 52});
            canvas.Line(cx - 12, cy + 11, cx + 12, cy - 9, Rgb{170, 120, 66});
            canvas.Line(cx - 11, cy + 11, cx + 13, cy - 9, Rgb{120, 80, 44});
            break;
    }
    static const char* const kCounts[] = {"12", "5", "3", "1", ""};
    static const char* const kKeys[] = {"1", "2", "3", "4", "5"};
    DrawShadowedText(canvas, left + 3, top + 3, kKeys[index], Rgb{200, 200, 210}, kTextShadow);
    const char* count = kCounts[index];
    int width = 0;
    for (const char* p = count; *p; ++p) width += 4;
    DrawShadowedText(canvas, left + 34 - width, top + 28, count, Rgb{250, 250, 240}, kTextShadow);
}

void DrawItemBox(Canvas& canvas) {
    const Rect box{434, 422, 636, 476};
    canvas.BlendRect(box, kPanel, 170);
    canvas.FrameRect(box, kFrameGold);
    canvas.FrameRect({box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, kFrameGoldDark);
    for (int i = 0; i < 5; ++i) DrawItemSlot(canvas, i, box.left + 7 + i * 39, box.top + 9);
}

}  // namespace

void DrawFixedHud(Canvas& canvas) {
    DrawPortrait(canvas);
    DrawChatBox(canvas);
    DrawItemBox(canvas);
}

}  // namespace dummy
