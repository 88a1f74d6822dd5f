// Health and stamina gauges. The health gauge's geometry is what the companion
// utility measures: see hud_layout.h.
#include <algorithm>
#include <iterator>

#include "dummy/hud.h"
#include "dummy/hud_layout.h"
#include "dummy/pixel_font.h"

namespace dummy {

namespace {

constexpr Rgb kOuterFrame{176, 140, 64};
constexpr Rgb kLabel{250, 240, 214};
constexpr Rgb kLabelShadow{24, 20, 16};

// Fill colours from the top row of a gauge's inside down; each row is one
// colour, so the utility's three-pixel test at the gauge's left end sees
// identical pixels. Row 30 (index 4) is (48, 184, 56): G >= 2R, G >= B.
constexpr Rgb kHealthRows[] = {{150, 244, 150}, {96, 226, 104}, {70, 210, 80}, {58, 198, 66}, {48, 184, 56},
                               {42, 170, 50}, {36, 152, 44},   {30, 134, 38}, {24, 116, 32}};
constexpr Rgb kHealthLostRows[] = {{96, 46, 50}, {84, 36, 40}, {76, 30, 34}, {70, 26, 30}, {66, 24, 28},
                                   {62, 22, 26}, {58, 20, 24}, {52, 18, 22}, {46, 16, 20}};
constexpr Rgb kStaminaRows[] = {{252, 226, 120}, {240, 190, 56}, {226, 164, 36}, {204, 136, 28}, {180, 112, 22}};
constexpr Rgb kStaminaLostRows[] = {{74, 60, 40}, {64, 52, 34}, {58, 46, 30}, {54, 42, 28}, {48, 38, 24}};

// One gauge: black frame from (left, top) to (right, bottom) inclusive, the
// inside filled up to `filled` of `total` parts, a gold edge outside the frame.
template <std::size_t N>
void DrawGauge(Canvas& canvas, int left, int top, int right, int bottom, int filled, int total,
               const Rgb (&fill)[N], const Rgb (&lost)[N]) {
    canvas.FrameRect({left - 1, top - 1, right + 2, bottom + 2}, kOuterFrame);
    canvas.FrameRect({left, top, right + 1, bottom + 1}, kBlack);
    const int innerLeft = left + 1, innerRight = right;  // exclusive
    const int split = innerLeft + (innerRight - innerLeft) * filled / total;
    for (std::size_t i = 0; i < N; ++i) {
        const int y = top + 1 + static_cast<int>(i);
        canvas.FillRect({innerLeft, y, split, y + 1}, fill[i]);
        canvas.FillRect({split, y, innerRight, y + 1}, lost[i]);
    }
    // Notches every tenth of the length, a shade darker (never black), below the
    // row the utility reads and clear of the gauge's left end.
    for (int k = 1; k < 10; ++k) {
        const int x = innerLeft + (innerRight - innerLeft) * k / 10;
        for (std::size_t i = N / 2 + 1; i < N; ++i) {
            const int y = top + 1 + static_cast<int>(i);
            if (canvas.Clip().Contains(x, y)) canvas.Plot(x, y, Shade(canvas.At(x, y), 80, 100));
        }
    }
}

}  // namespace

void DrawGauges(Canvas& canvas, int maxHealth) {
    maxHealth = std::clamp(maxHealth, kMinMaxHealth, kMaxMaxHealth);
    const int end = GaugeEndX(maxHealth);
    static_assert(std::size(kHealthRows) == static_cast<std::size_t>(kGaugeFrameBottom - kGaugeFrameTop - 1),
                  "one fill colour per inner row");
    static_assert(kGaugeFrameTop + 1 + 4 == kGaugeRow, "row 30 takes the fifth fill colour");
    DrawGauge(canvas, kGaugeFrameLeft, kGaugeFrameTop, end, kGaugeFrameBottom, 86, 100, kHealthRows,
              kHealthLostRows);
    DrawGauge(canvas, kGaugeFrameLeft, 38, kGaugeFrameLeft + 200, 44, 70, 100, kStaminaRows, kStaminaLostRows);
    DrawShadowedText(canvas, 107, 28, "HP", kLabel, kLabelShadow);
    DrawShadowedText(canvas, 107, 39, "SP", kLabel, kLabelShadow);
}

}  // namespace dummy
