#include "dummy/icon_art.h"

namespace dummy {

namespace {

// Design space: 0..1023 across the icon in both directions.
constexpr int kUnits = 1024;
constexpr int kSamples = 4;  // per pixel and direction

struct Paint {
    int r, g, b;
    bool opaque;
};

constexpr Paint kClear{0, 0, 0, false};

bool InRect(int u, int v, int l, int t, int r, int b) { return u >= l && u < r && v >= t && v < b; }
bool InCircle(int u, int v, int cx, int cy, int radius) {
    return (u - cx) * (u - cx) + (v - cy) * (v - cy) < radius * radius;
}

// The keep, centred on (512, 512) at `scale` percent: stone tower with
// battlements, a dark gate and a red flag. kClear where it is not.
Paint KeepAt(int u, int v, int scale) {
    u = 512 + (u - 512) * 100 / scale;
    v = 512 + (v - 512) * 100 / scale;
    const Paint stone{214, 214, 226, true}, shade{150, 152, 170, true}, dark{44, 34, 46, true};
    if (InRect(u, v, 502, 130, 522, 300)) return {70, 50, 40, true};                    // pole
    const int flagHalf = v >= 175 ? v - 175 : 175 - v;
    if (u >= 522 && flagHalf * 138 < 39 * (660 - u)) return {214, 42, 44, true};  // flag pointing right
    const bool merlon = InRect(u, v, 300, 290, 390, 370) || InRect(u, v, 467, 290, 557, 370) ||
                        InRect(u, v, 634, 290, 724, 370);
    const bool top = InRect(u, v, 300, 360, 724, 420);
    const bool body = InRect(u, v, 340, 410, 684, 800);
    if (!(merlon || top || body)) return kClear;
    if (InCircle(u, v, 512, 650, 70) || InRect(u, v, 442, 650, 582, 800)) return dark;  // gate
    if (InRect(u, v, 498, 470, 526, 570)) return dark;                                // arrow slit
    return u >= 600 ? shade : stone;
}

Paint BadgeAt(int u, int v) {
    if (!InCircle(u, v, 512, 512, 500)) return kClear;
    if (!InCircle(u, v, 512, 512, 440)) return {222, 178, 60, true};  // gold ring
    const Paint keep = KeepAt(u, v, 86);
    if (keep.opaque) return keep;
    if (v > 700) return {64, 136, 62, true};  // grass
    return {34, 56, 116, true};                // night sky
}

Paint KeepIconAt(int u, int v) {
    // Dark outline: the keep drawn a little larger beneath itself.
    const Paint keep = KeepAt(u, v, 118);
    if (keep.opaque) return keep;
    for (int du = -40; du <= 40; du += 40)
        for (int dv = -40; dv <= 40; dv += 40)
            if (KeepAt(u + du, v + dv, 118).opaque) return {30, 28, 40, true};
    return kClear;
}

}  // namespace

std::vector<Rgba> DrawIcon(IconArt art, int size) {
    std::vector<Rgba> pixels(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const int u = (x * kSamples + sx) * kUnits / (size * kSamples) + kUnits / (2 * size * kSamples);
                    const int v = (y * kSamples + sy) * kUnits / (size * kSamples) + kUnits / (2 * size * kSamples);
                    const Paint p = art == IconArt::Badge ? BadgeAt(u, v) : KeepIconAt(u, v);
                    if (!p.opaque) continue;
                    r += p.r;
                    g += p.g;
                    b += p.b;
                    ++covered;
                }
            Rgba& out = pixels[static_cast<std::size_t>(y) * size + x];
            if (covered == 0) continue;
            out = {static_cast<std::uint8_t>(r / covered), static_cast<std::uint8_t>(g / covered),
                   static_cast<std::uint8_t>(b / covered),
                   static_cast<std::uint8_t>(covered * 255 / (kSamples * kSamples))};
        }
    return pixels;
}

}  // namespace dummy
