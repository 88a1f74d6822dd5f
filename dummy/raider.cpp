// The player's character: a raider with cape, shield and sword.
#include "dummy/world.h"

namespace dummy {

namespace {

constexpr Rgb kSkin{232, 190, 156};
constexpr Rgb kSteel{156, 162, 178};
constexpr Rgb kSteelDark{104, 110, 128};
constexpr Rgb kGold{222, 180, 64};

}  // namespace

void DrawRaiderHead(Canvas& canvas, int cx, int cy, int scale) {
    auto s = [scale](int v) { return v * scale / 100; };
    canvas.FillEllipse(cx, cy, s(13), s(15), kSkin);
    const int eye = s(3) / 2;
    canvas.FillEllipse(cx - s(5), cy + s(1), eye, eye, Rgb{40, 36, 44});
    canvas.FillEllipse(cx + s(5), cy + s(1), eye, eye, Rgb{40, 36, 44});
    canvas.FillRect({cx - s(4), cy + s(8), cx + s(4), cy + s(9) + 1}, Rgb{150, 80, 70});  // mouth
    // Helmet: a steel cap with a nose guard and a red plume.
    canvas.FillPolygon({{cx - s(15), cy - s(1)}, {cx - s(13), cy - s(12)}, {cx - s(6), cy - s(18)},
                        {cx + s(6), cy - s(18)}, {cx + s(13), cy - s(12)}, {cx + s(15), cy - s(1)},
                        {cx + s(11), cy - s(3)}, {cx - s(11), cy - s(3)}},
                       kSteel);
    canvas.FillRect({cx - s(15), cy - s(4), cx + s(15), cy - s(1)}, kSteelDark);
    canvas.FillRect({cx - s(1) - 1, cy - s(4), cx + s(1) + 1, cy + s(5)}, kSteelDark);
    canvas.FillEllipse(cx - s(5), cy - s(13), s(4), s(2) + 1, Rgb{200, 206, 220});  // shine
    canvas.FillPolygon({{cx - s(3), cy - s(17)}, {cx + s(2), cy - s(30)}, {cx + s(12), cy - s(28)}, {cx + s(4), cy - s(17)}},
                       Rgb{196, 44, 40});
}

void DrawRaider(Canvas& canvas, int footX, int footY) {
    const int x = footX, y = footY;
    canvas.BlendEllipse(x + 6, y, 42, 8, Rgb{20, 40, 16}, 110);  // shadow

    // Cape behind the body.
    canvas.FillPolygon({{x - 24, y - 122}, {x + 24, y - 122}, {x + 36, y - 22}, {x + 10, y - 16}, {x - 12, y - 20}, {x - 36, y - 24}},
                       Rgb{40, 62, 132});
    canvas.FillPolygon({{x + 6, y - 122}, {x + 24, y - 122}, {x + 36, y - 22}, {x + 14, y - 17}}, Rgb{30, 46, 104});

    // Legs and boots.
    canvas.FillRect({x - 16, y - 70, x - 2, y - 16}, Rgb{82, 70, 58});
    canvas.FillRect({x + 3, y - 70, x + 17, y - 16}, Rgb{70, 60, 50});
    canvas.FillRect({x - 19, y - 20, x - 1, y}, Rgb{66, 44, 30});
    canvas.FillRect({x + 2, y - 20, x + 20, y}, Rgb{58, 38, 26});
    canvas.FillRect({x - 19, y - 20, x - 1, y - 17}, Rgb{110, 80, 50});
    canvas.FillRect({x + 2, y - 20, x + 20, y - 17}, Rgb{100, 72, 46});

    // Tunic over mail, belt with buckle.
    canvas.FillPolygon({{x - 24, y - 124}, {x + 24, y - 124}, {x + 28, y - 64}, {x - 28, y - 64}}, Rgb{172, 42, 38});
    canvas.FillPolygon({{x + 6, y - 124}, {x + 24, y - 124}, {x + 28, y - 64}, {x + 8, y - 64}}, Rgb{140, 32, 30});
    canvas.FillRect({x - 28, y - 66, x + 28, y - 58}, Rgb{150, 150, 160});  // mail hem
    for (int mx = x - 27; mx < x + 28; mx += 3) canvas.Plot(mx, y - 62, kSteelDark);
    canvas.FillRect({x - 25, y - 84, x + 26, y - 77}, Rgb{90, 58, 30});
    canvas.FillRect({x - 4, y - 85, x + 5, y - 76}, kGold);
    canvas.FillRect({x - 2, y - 83, x + 3, y - 78}, Rgb{90, 58, 30});
    canvas.FillRect({x - 3, y - 120, x + 3, y - 86}, Rgb{206, 170, 80});  // tunic trim

    // Sword arm on the right, the blade raised.
    canvas.FillRect({x + 24, y - 120, x + 36, y - 84}, Rgb{150, 36, 34});
    canvas.FillEllipse(x + 30, y - 80, 7, 6, kSkin);
    for (int w = -2; w <= 2; ++w) canvas.Line(x + 32 + w, y - 88, x + 76 + w, y - 178, Rgb{214, 220, 232});
    canvas.Line(x + 33, y - 89, x + 77, y - 179, Rgb{250, 250, 252});
    canvas.FillPolygon({{x + 20, y - 94}, {x + 24, y - 100}, {x + 46, y - 88}, {x + 42, y - 82}}, kGold);  // guard
    canvas.FillRect({x + 27, y - 84, x + 33, y - 72}, Rgb{80, 50, 30});                               // grip
    canvas.FillEllipse(x + 29, y - 70, 4, 4, kGold);

    // Pauldrons and head.
    canvas.FillEllipse(x - 22, y - 120, 11, 7, kSteel);
    canvas.FillEllipse(x + 24, y - 120, 11, 7, kSteelDark);
    canvas.FillRect({x - 6, y - 132, x + 7, y - 122}, kSkin);
    DrawRaiderHead(canvas, x, y - 146, 100);

    // Shield on the left arm: steel rim, blue field, golden cross.
    canvas.FillEllipse(x - 34, y - 92, 24, 30, kSteelDark);
    canvas.FillEllipse(x - 34, y - 92, 21, 27, Rgb{36, 74, 150});
    canvas.FillEllipse(x - 38, y - 100, 10, 12, Rgb{52, 96, 176});
    canvas.FillRect({x - 37, y - 114, x - 31, y - 68}, kGold);
    canvas.FillRect({x - 52, y - 96, x - 16, y - 90}, kGold);
    canvas.FillEllipse(x - 34, y - 93, 5, 5, Rgb{240, 208, 100});
}

}  // namespace dummy
