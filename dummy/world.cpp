#include "dummy/world.h"

#include <algorithm>

#include "dummy/terrain.h"

namespace dummy {

namespace {

constexpr int kHorizon = 262;

Rgb Lerp(Rgb a, Rgb b, int t, int range) { return Mix(a, b, std::clamp(t, 0, range) * 255 / range); }

// Adds a small per-pixel variation, as grass and dirt have in the game's textures.
Rgb Grain(Rgb c, int x, int y, std::uint32_t seed, int strength) {
    const int d = static_cast<int>(Hash(x, y, seed) % static_cast<std::uint32_t>(2 * strength + 1)) - strength;
    auto add = [d](int v) { return static_cast<std::uint8_t>(std::clamp(v + d, 1, 254)); };
    return {add(c.r), add(c.g), add(c.b)};
}

// Distant layers fade into the bluish haze near the horizon.
Rgb Haze(Rgb c, int y, int from, int strength) {
    return Mix(c, Rgb{176, 198, 222}, std::clamp((y - from) * strength, 0, 150));
}

void DrawSky(Canvas& canvas) {
    const Rect& clip = canvas.Clip();
    for (int y = clip.top; y < clip.bottom; ++y) {
        const Rgb c = Lerp({58, 104, 190}, {182, 210, 234}, y, kHorizon);
        canvas.FillRect({clip.left, y, clip.right, y + 1}, c);
    }
    // The sun low in the west, with a soft glow.
    for (int r = 44; r > 22; r -= 6) canvas.BlendEllipse(572, 112, r, r, {255, 244, 206}, 40);
    canvas.FillEllipse(572, 112, 19, 19, {255, 246, 218});
}

void DrawCloud(Canvas& canvas, int x, int y, int size) {
    struct Puff {
        int dx, dy, r;
    };
    static const Puff kPuffs[] = {{0, 0, 20}, {22, -8, 24}, {48, -2, 19}, {68, 5, 14}, {-20, 6, 13}, {30, 8, 20}};
    for (const Puff& p : kPuffs)
        canvas.BlendEllipse(x + p.dx * size / 100, y + p.dy * size / 100 + 4, p.r * size / 100 + 2,
                            p.r * size / 160 + 1, {150, 170, 205}, 70);
    for (const Puff& p : kPuffs)
        canvas.BlendEllipse(x + p.dx * size / 100, y + p.dy * size / 100, p.r * size / 100, p.r * size / 150,
                            {244, 246, 250}, 215);
}

void DrawMountains(Canvas& canvas) {
    const Rect& clip = canvas.Clip();
    for (int x = clip.left; x < clip.right; ++x) {
        const int top = MountainTop(x);
        const bool lit = MountainFacesSun(x);
        const int snow = std::clamp(186 - MountainRidge(x), 0, 34);  // more on the high peaks
        for (int y = std::max(top, clip.top); y < clip.bottom; ++y) {
            Rgb c = lit ? Rgb{134, 146, 180} : Rgb{98, 110, 148};
            if (y < top + snow) c = lit ? Rgb{236, 240, 248} : Rgb{190, 202, 226};
            canvas.Plot(x, y, Haze(c, y, 178, 3));
        }
    }
}

// Gravik Keep on its hill, grey against the mountains.
void DrawKeep(Canvas& canvas) {
    const Rgb wall{86, 92, 118}, dark{68, 72, 96}, roof{104, 52, 58};
    auto tower = [&](int left, int top, int width, int bottom, bool pointed) {
        canvas.FillRect({left, top, left + width, bottom}, wall);
        canvas.FillRect({left + width * 2 / 3, top, left + width, bottom}, dark);
        if (pointed) {
            canvas.FillPolygon({{left - 2, top}, {left + width / 2, top - width - 6}, {left + width + 2, top}}, roof);
        } else {
            for (int cx = left; cx < left + width; cx += 4) canvas.FillRect({cx, top - 3, cx + 2, top}, wall);
        }
        for (int wy = top + 6; wy < bottom - 8; wy += 9)
            canvas.FillRect({left + width / 2 - 1, wy, left + width / 2 + 1, wy + 3}, Rgb{232, 196, 112});
    };
    canvas.FillRect({452, 206, 530, 246}, wall);  // curtain wall
    for (int cx = 452; cx < 530; cx += 5) canvas.FillRect({cx, 203, cx + 3, 206}, wall);
    canvas.FillRect({486, 226, 496, 246}, Rgb{48, 44, 56});  // gate
    tower(444, 194, 12, 246, false);
    tower(526, 196, 12, 246, false);
    tower(476, 168, 18, 230, true);  // the keep itself
    tower(500, 184, 12, 230, true);
    canvas.FillRect({484, 140, 485, 152}, Rgb{60, 50, 48});  // flag pole
    canvas.FillPolygon({{485, 140}, {496, 143}, {485, 146}}, Rgb{196, 40, 44});
}

void DrawFarHills(Canvas& canvas) {
    const Rect& clip = canvas.Clip();
    for (int x = clip.left; x < clip.right; ++x) {
        const int top = FarHillTop(x);
        for (int y = std::max(top, clip.top); y < clip.bottom; ++y) {
            const Rgb c = y < top + 2 ? Rgb{132, 172, 112} : Rgb{104, 150, 98};
            canvas.Plot(x, y, Haze(Grain(c, x, y, 23, 3), y, 215, 2));
        }
    }
}

// Centre and half width of the road at row y (it winds down from the keep).
int RoadCentre(int y) { return 470 - (y - kHorizon) * 150 / 221 + (y - kHorizon) * (483 - y) / 260; }
int RoadHalfWidth(int y) { return 2 + (y - kHorizon) * 64 / 221; }

void DrawGround(Canvas& canvas) {
    const Rect& clip = canvas.Clip();
    for (int x = clip.left; x < clip.right; ++x) {
        const int top = GroundTop(x);
        for (int y = std::max(top, clip.top); y < clip.bottom; ++y) {
            Rgb c = Lerp({108, 168, 74}, {56, 118, 40}, y - top, 230);
            if (y < top + 2) c = Shade(c, 82, 100);
            c = Grain(c, x, y, 33, 7);
            if (y >= kHorizon) {
                const int half = RoadHalfWidth(y), dx = x - RoadCentre(y);
                if (dx >= -half && dx <= half) {
                    const bool edge = dx <= -half + 1 || dx >= half - 1;
                    c = Grain(edge ? Rgb{132, 108, 72} : Rgb{178, 148, 106}, x, y, 34, 9);
                }
            }
            canvas.Plot(x, y, c);
        }
    }
}

void DrawConifer(Canvas& canvas, int x, int base, int height) {
    const Rgb trunk{92, 62, 38}, dark{30, 78, 46}, light{48, 108, 58};
    canvas.FillRect({x - height / 30 - 2, base - height / 5, x + height / 30 + 2, base}, trunk);
    for (int i = 0; i < 3; ++i) {
        const int apex = base - height + i * height * 22 / 100;
        const int bottom = base - height / 6 - (2 - i) * height / 7;
        const int half = (bottom - apex) * 55 / 100;
        canvas.FillPolygon({{x, apex}, {x + half, bottom}, {x - half, bottom}}, dark);
        canvas.FillPolygon({{x, apex}, {x + half, bottom}, {x, bottom}}, light);
    }
}

void DrawBroadleaf(Canvas& canvas, int x, int base, int size) {
    canvas.FillRect({x - 3, base - size, x + 3, base}, Rgb{96, 66, 40});
    canvas.FillEllipse(x, base - size - 4, size * 6 / 10, size / 2, Rgb{52, 112, 48});
    canvas.FillEllipse(x - size / 3, base - size + 6, size * 4 / 10, size / 3, Rgb{46, 102, 44});
    canvas.FillEllipse(x + size / 3, base - size + 4, size * 4 / 10, size / 3, Rgb{60, 124, 52});
    canvas.FillEllipse(x - size / 6, base - size - size / 4, size / 4, size / 6, Rgb{84, 150, 66});
}

void DrawRock(Canvas& canvas, int x, int y, int size) {
    canvas.FillEllipse(x, y, size, size * 6 / 10, Rgb{112, 112, 108});
    canvas.FillEllipse(x - size / 4, y - size / 5, size / 2, size / 4, Rgb{150, 150, 142});
}

void DrawFlowers(Canvas& canvas) {
    static const Rgb kPetals[] = {{236, 212, 64}, {226, 96, 120}, {236, 236, 244}, {170, 120, 220}};
    for (int i = 0; i < 70; ++i) {
        const int x = static_cast<int>(Hash(i, 1, 41) % 644u), y = 300 + static_cast<int>(Hash(i, 2, 41) % 180u);
        const int dx = x - RoadCentre(y);
        if (dx > -RoadHalfWidth(y) - 4 && dx < RoadHalfWidth(y) + 4) continue;
        const Rgb petal = kPetals[Hash(i, 3, 41) % 4u];
        canvas.Plot(x, y - 1, petal);
        canvas.Plot(x - 1, y, petal);
        canvas.Plot(x + 1, y, petal);
        canvas.Plot(x, y, Rgb{240, 200, 60});
    }
}

}  // namespace

void DrawWorld(Canvas& canvas) {
    DrawSky(canvas);
    DrawCloud(canvas, 96, 132, 100);
    DrawCloud(canvas, 330, 66, 80);
    DrawCloud(canvas, 250, 176, 60);
    DrawCloud(canvas, 430, 150, 90);
    DrawMountains(canvas);
    DrawKeep(canvas);
    DrawFarHills(canvas);
    DrawConifer(canvas, 560, 250, 40);
    DrawConifer(canvas, 584, 254, 52);
    DrawConifer(canvas, 150, 246, 34);
    DrawGround(canvas);
    DrawFlowers(canvas);
    DrawRock(canvas, 210, 330, 16);
    DrawRock(canvas, 540, 360, 22);
    DrawBroadleaf(canvas, 96, 320, 58);
    DrawConifer(canvas, 30, 372, 150);
    DrawConifer(canvas, 612, 392, 170);
    DrawRaider(canvas, 306, 424);
}

}  // namespace dummy
