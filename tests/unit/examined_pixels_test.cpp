// The pixels the screen reading examines, and which of them an overlay at a
// given place would cover: those are cut out of the overlay's region.
#include "app/screen/examined_pixels.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "overlays/overlay_geometry.h"

namespace gkr {
namespace {

bool Has(const std::vector<ClientPoint>& points, int x, int y) {
    return std::find(points.begin(), points.end(), ClientPoint{x, y}) != points.end();
}

TEST(ExaminedPixels, CoverEveryTestOfTheReading) {
    const std::vector<ClientPoint>& all = ExaminedPixels();
    for (int x : {120, 121, 122}) EXPECT_TRUE(Has(all, x, 30)) << "gauge colour at " << x;
    EXPECT_TRUE(Has(all, 284, 30)) << "scan sample for 50";
    EXPECT_TRUE(Has(all, 447, 30)) << "scan sample for 100";
    EXPECT_TRUE(Has(all, 609, 30)) << "scan sample for 150";
    for (int y = 54; y <= 59; ++y) EXPECT_TRUE(Has(all, 215, y)) << "marker row " << y;
    EXPECT_FALSE(Has(all, 215, 51)) << "the marker's first rows are not tested";
    EXPECT_TRUE(Has(all, 239, 61)) << "slot 0 frame";
    EXPECT_TRUE(Has(all, 277, 69)) << "slot 1 frame, right";
    EXPECT_TRUE(Has(all, 326, 61)) << "slot 3 sample";
    EXPECT_EQ(3u + 21u + 6u + 12u, all.size());
}

TEST(ExaminedPixels, TheLargestTimerCoversTheGaugeAndTheMarker) {
    const OverlayRect timer = ComputeTimerGeometry(3.0).window;
    const std::vector<ClientPoint> inside = ExaminedPixelsInside(0, 0, timer.x, timer.y, timer.width, timer.height);
    EXPECT_TRUE(Has(inside, 120, 30));
    EXPECT_TRUE(Has(inside, 284, 30));
    EXPECT_FALSE(Has(inside, 300, 30)) << "x 300 lies just right of a 300-wide timer";
    EXPECT_TRUE(Has(inside, 215, 59));
    EXPECT_FALSE(Has(inside, 239, 61)) << "the note panel lies below it";
    EXPECT_TRUE(ExaminedPixelsInside(0, 0, timer.x, timer.y, 100, 20).empty()) << "the smallest covers nothing";
}

TEST(ExaminedPixels, PointsAreGivenInTheWindowsOwnCoordinates) {
    // The capture origin and the energy bar move together with the offsets,
    // so the tick of a bar at maximum health 140 (x 181..182 of the bar)
    // sits on the sample for 55 at client (300, 30) whatever the offsets are.
    for (int offset : {0, -20, 20}) {
        const OverlayRect bar = EnergyBarRect(140, offset, offset);
        ASSERT_EQ(182, EnergyBarMarker(bar.width));
        const std::vector<ClientPoint> inside =
            ExaminedPixelsInside(offset, offset, bar.x, bar.y, bar.width, bar.height);
        EXPECT_TRUE(Has(inside, 181, 7)) << offset;
        EXPECT_TRUE(std::all_of(inside.begin(), inside.end(), [](ClientPoint p) { return p.y == 7; }))
            << "the bar spans only the gauge row";
    }
    // A window far outside the client area, with numbers near the int32 ends.
    EXPECT_TRUE(ExaminedPixelsInside(INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX).empty());
}

}  // namespace
}  // namespace gkr
