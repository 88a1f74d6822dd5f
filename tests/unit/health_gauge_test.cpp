#include "app/screen/health_gauge.h"

#include <gtest/gtest.h>

#include "tests/unit/pixel_canvas.h"

namespace gkr {
namespace {

using test::kBlackRgb;
using test::PixelCanvas;
using test::Rgb;

constexpr int kClientWidth = 644;
constexpr Rgb kGaugeEdge{40, 80, 20};

// The strip of a client `clientWidth` wide, as the game watch captures it.
PixelCanvas Strip(int clientWidth = kClientWidth) { return PixelCanvas(HealthStripRect(clientWidth).Width(), 2); }

// Strip index of the client x, since the strip starts at x = 119.
int At(int clientX) { return clientX - 119; }

void PaintGaugeEdge(PixelCanvas& strip, Rgb c, uint8_t unused = 0) {
    for (int i = 1; i <= 3; ++i) strip.Set(i, 0, c, unused);
}

TEST(MaxHealthScan, LastBlackSampleWins) {
    PixelCanvas strip = Strip();
    strip.Set(At(284), 0, kBlackRgb);  // v = 50
    strip.Set(At(447), 0, kBlackRgb);  // v = 100
    EXPECT_EQ(100, ScanMaxHealth(strip.Block()));
}

TEST(MaxHealthScan, NoBlackSampleGivesMinusOne) {
    EXPECT_EQ(-1, ScanMaxHealth(Strip().Block()));
}

TEST(MaxHealthScan, EachCandidateSitsAtThreePointTwoFivePixelsPerPoint) {
    for (int v = 50; v <= 150; v += 5) {
        PixelCanvas strip = Strip();
        strip.Set(At(122 + v * 13 / 4), 0, kBlackRgb);
        EXPECT_EQ(v, ScanMaxHealth(strip.Block())) << "candidate " << v;
    }
}

TEST(MaxHealthScan, IgnoresBlackBetweenSamplesAndOnTheSecondRow) {
    PixelCanvas strip = Strip();
    strip.Set(At(448), 0, kBlackRgb);  // one right of the v = 100 sample
    strip.Set(At(447), 1, kBlackRgb);  // below it
    strip.Set(At(284), 0, Rgb{1, 0, 0});
    EXPECT_EQ(-1, ScanMaxHealth(strip.Block()));
}

TEST(MaxHealthScan, LastSampleAtClientX609NeedsAClientThatReachesIt) {
    // The strip ends at the client area's last column, x = width - 1.
    EXPECT_EQ(609, HealthStripRect(610).right);
    PixelCanvas wide = Strip(610);
    wide.Set(At(609), 0, kBlackRgb);
    EXPECT_EQ(150, ScanMaxHealth(wide.Block()));

    // One pixel narrower: that sample lies past the captured row.
    PixelCanvas narrow = Strip(609);
    narrow.Set(At(447), 0, kBlackRgb);
    EXPECT_EQ(100, ScanMaxHealth(narrow.Block()));
}

TEST(MaxHealthScan, SamplesPastACutOffCaptureCountAsNotBlack) {
    PixelCanvas strip = Strip();
    strip.Set(At(284), 0, kBlackRgb);
    strip.Set(At(609), 0, kBlackRgb);
    // The capture stopped after 400 pixels; the bytes behind are never read.
    EXPECT_EQ(50, ScanMaxHealth(strip.CutBlock(400 * kBytesPerPixel)));
    EXPECT_EQ(-1, ScanMaxHealth(strip.CutBlock(0)));
    EXPECT_EQ(-1, ScanMaxHealth(PixelBlock()));
}

TEST(MaxHealthScan, ClientNarrowerThanTheStripStartReadsNothing) {
    EXPECT_GE(0, HealthStripRect(100).Width());
    EXPECT_EQ(-1, ScanMaxHealth(PixelBlock(nullptr, 0, HealthStripRect(100).Width(), 2)));
}

TEST(HealthGaugePresence, GreenAtLeastTwiceRedAndAtLeastBlue) {
    struct Case {
        Rgb edge;
        bool present;
    };
    const Case cases[] = {
        {{40, 80, 20}, true},    // G = 2R, G >= B
        {{41, 80, 20}, false},   // G < 2R
        {{0, 200, 100}, false},  // R = 0
        {{40, 80, 0}, false},    // B = 0
        {{40, 0, 20}, false},    // G = 0
        {{40, 80, 80}, true},    // G = B
        {{40, 80, 81}, false},   // G < B
    };
    for (const Case& c : cases) {
        PixelCanvas strip = Strip();
        PaintGaugeEdge(strip, c.edge);
        EXPECT_EQ(c.present, IsHealthGaugePresent(strip.Block()))
            << int(c.edge.r) << ", " << int(c.edge.g) << ", " << int(c.edge.b);
    }
}

TEST(HealthGaugePresence, ThreePixelsMustBeIdenticalIncludingTheFourthByte) {
    PixelCanvas strip = Strip();
    PaintGaugeEdge(strip, kGaugeEdge);
    strip.Set(3, 0, kGaugeEdge, 1);
    EXPECT_FALSE(IsHealthGaugePresent(strip.Block()));

    PaintGaugeEdge(strip, kGaugeEdge);
    strip.Set(2, 0, Rgb{40, 81, 20});
    EXPECT_FALSE(IsHealthGaugePresent(strip.Block()));

    PaintGaugeEdge(strip, kGaugeEdge);
    strip.Set(0, 0, kBlackRgb);  // x = 119 is not part of the test
    strip.Set(4, 0, kBlackRgb);
    EXPECT_TRUE(IsHealthGaugePresent(strip.Block()));
}

TEST(HealthGaugePresence, NotPresentWhenThePixelsWereNotCaptured) {
    PixelCanvas strip = Strip();
    PaintGaugeEdge(strip, kGaugeEdge);
    EXPECT_FALSE(IsHealthGaugePresent(strip.CutBlock(3 * kBytesPerPixel)));
    EXPECT_TRUE(IsHealthGaugePresent(strip.CutBlock(4 * kBytesPerPixel)));
}

TEST(HealthGaugeReading, ReportsTheScanEvenWithoutTheGauge) {
    PixelCanvas strip = Strip();
    strip.Set(At(447), 0, kBlackRgb);
    HealthGaugeReading absent = ReadHealthGauge(strip.Block());
    EXPECT_FALSE(absent.present);
    EXPECT_EQ(100, absent.maxHealth);

    PaintGaugeEdge(strip, kGaugeEdge);
    HealthGaugeReading present = ReadHealthGauge(strip.Block());
    EXPECT_TRUE(present.present);
    EXPECT_EQ(100, present.maxHealth);
}

}  // namespace
}  // namespace gkr
