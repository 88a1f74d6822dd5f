#include "app/screen/capture_clip.h"

#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "app/screen/health_gauge.h"
#include "app/screen/note_colors.h"
#include "app/screen/note_panel.h"
#include "tests/unit/pixel_canvas.h"

namespace gkr {
namespace {

using test::kBlackRgb;
using test::PixelCanvas;

constexpr ScreenArea kScreen{0, 0, 1280, 1024};

TEST(CaptureClip, OnScreenPartOfA10By4Block) {
    const auto clip = [](int64_t x, int64_t y, ScreenArea screen = kScreen) {
        const CaptureClip c = ClipToScreen(x, y, 10, 4, screen);
        return std::make_tuple(c.x, c.y, c.width, c.height);
    };
    EXPECT_EQ(std::make_tuple(0, 0, 10, 4), clip(1270, 1020));  // inside, at the last column and row
    EXPECT_EQ(std::make_tuple(0, 0, 9, 2), clip(1271, 1022));   // cut right and below
    EXPECT_EQ(std::make_tuple(3, 1, 7, 3), clip(-3, -1));       // cut left and above
    EXPECT_EQ(std::make_tuple(5, 0, 5, 4), clip(-1925, 0, {-1920, 0, 3200, 1080}));  // a monitor left of the primary
    for (const auto& [x, y] : {std::pair<int64_t, int64_t>{1280, 0}, {0, -4}, {int64_t{1} << 40, 0}})
        EXPECT_EQ(std::make_tuple(0, 0, 0, 0), clip(x, y)) << "wholly off at " << x << ", " << y;
    EXPECT_EQ(std::make_tuple(0, 0, 10, 4), clip(1275, 0, {})) << "no screen size known";
}

// As captured at screen x = `screenX` into a bitmap that held `canvas`.
PixelBlock CaptureAt(PixelCanvas& canvas, int64_t screenX, size_t validBytes) {
    FillOffScreen(canvas.Data(), validBytes, canvas.Width(), canvas.Height(),
                  ClipToScreen(screenX, 0, canvas.Width(), canvas.Height(), kScreen));
    return canvas.Block();
}

TEST(CaptureClip, ReadersNeverTakeOffScreenPixelsForTheGameOrANote) {
    PixelCanvas block(4, 3, kBlackRgb);
    const PixelBlock seen = CaptureAt(block, 1278, 8 * kBytesPerPixel);  // two rows captured, two columns off
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(y < 2 && x >= 2, seen.At(x, y).SameBits(kOffScreen)) << x << ", " << y;

    // A client 960 wide at screen x = 900 leaves the screen after client x
    // 379: the gauge (maximum 50, black at x 284) is on it, the v = 100
    // candidate (x 447) that the bitmap held black is not.
    PixelCanvas strip(HealthStripRect(960).Width(), 2), panel(kNotePanelRect.Width(), kNotePanelRect.Height(), kBlackRgb);
    for (int x : {120, 121, 122}) strip.Set(x - 119, 0, {40, 80, 20});
    for (int x : {284, 447}) strip.Set(x - 119, 0, kBlackRgb);
    const HealthGaugeReading gauge = ReadHealthGauge(CaptureAt(strip, 900 + 119, strip.Size()));
    EXPECT_TRUE(gauge.present);
    EXPECT_EQ(50, gauge.maxHealth);
    EXPECT_FALSE(ReadNoteSlots(CaptureAt(panel, 1280, panel.Size())).framed);
    EXPECT_EQ(0, MatchNoteColor(kOffScreen.ToColorRef()));
}

}  // namespace
}  // namespace gkr
