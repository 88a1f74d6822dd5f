// Drawing primitives of the dummy picture: clipping is what lets a scene
// repaint only its bands, so it gets the closest look.
#include <gtest/gtest.h>

#include "dummy/image.h"

namespace {

using dummy::Canvas;
using dummy::Image;
using dummy::Rect;
using dummy::Rgb;

constexpr Rgb kRed{200, 0, 0};

int CountColour(const Image& img, Rgb c, const Rect& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += img.At(x, y) == c;
    return n;
}

TEST(DummyImage, EveryPrimitiveStaysInsideTheClip) {
    Image img(40, 30, dummy::kWhite);
    const Rect clip{10, 5, 25, 20};
    Canvas canvas(img, clip);
    canvas.FillRect({-5, -5, 50, 50}, kRed);
    canvas.FillEllipse(12, 12, 30, 30, kRed);
    canvas.Ring(20, 15, 12, kRed);
    canvas.FillPolygon({{-10, -10}, {60, 0}, {20, 60}}, kRed);
    canvas.Line(0, 0, 39, 29, kRed);
    canvas.Plot(0, 0, kRed);
    canvas.BlendRect({0, 0, 40, 30}, kRed, 128);
    EXPECT_EQ(15 * 15, CountColour(img, kRed, img.Bounds()));
    EXPECT_EQ(15 * 15, CountColour(img, kRed, clip));
}

TEST(DummyImage, ClipIsCutToTheImage) {
    Image img(10, 10);
    Canvas canvas(img, {-5, -5, 100, 100});
    EXPECT_EQ(0, canvas.Clip().left);
    EXPECT_EQ(10, canvas.Clip().right);
    canvas.FillRect({-3, -3, 20, 20}, kRed);  // no write outside the buffer
    EXPECT_EQ(100, CountColour(img, kRed, img.Bounds()));
}

TEST(DummyImage, ShapesCoverThePixelsWhoseCentresLieInside) {
    Image img(20, 20);
    Canvas canvas(img);
    canvas.FillPolygon({{2, 3}, {8, 3}, {8, 7}, {2, 7}}, kRed);  // corners on pixel edges
    EXPECT_EQ(6 * 4, CountColour(img, kRed, img.Bounds()));
    EXPECT_EQ(kRed, img.At(2, 3));
    EXPECT_EQ(kRed, img.At(7, 6));
    EXPECT_NE(kRed, img.At(8, 6));

    Image disc(20, 20);
    Canvas(disc).FillEllipse(10, 10, 3, 3, kRed);
    EXPECT_EQ(29, CountColour(disc, kRed, disc.Bounds()));  // lattice points with x^2 + y^2 <= 9
    EXPECT_NE(kRed, disc.At(13, 11));
}

TEST(DummyImage, RingHoldsThePixelsAtItsRoundedRadius) {
    Image img(30, 30);
    Canvas(img).Ring(15, 15, 6, kRed);
    EXPECT_EQ(kRed, img.At(21, 15));
    EXPECT_EQ(kRed, img.At(15, 9));
    EXPECT_NE(kRed, img.At(18, 15)) << "inside stays untouched";
    EXPECT_NE(kRed, img.At(22, 15));
}

TEST(DummyImage, MixAndShadeKeepEndpointsExact) {
    const Rgb a{10, 20, 30}, b{250, 240, 230};
    EXPECT_EQ(a, dummy::Mix(a, b, 0));
    EXPECT_EQ(b, dummy::Mix(a, b, 255));
    EXPECT_EQ((Rgb{130, 130, 130}), dummy::Mix(Rgb{0, 0, 0}, Rgb{255, 255, 255}, 130));
    EXPECT_EQ((Rgb{5, 10, 15}), dummy::Shade(a, 1, 2));
    EXPECT_EQ((Rgb{255, 255, 255}), dummy::Shade(b, 2, 1)) << "clamped";
}

TEST(DummyImage, DibConversionRoundTripsTopDownBgrx) {
    Image img(3, 2);
    img.Set(0, 0, Rgb{1, 2, 3});
    img.Set(2, 1, Rgb{7, 8, 9});
    std::uint8_t bytes[3 * 2 * 4];
    dummy::ImageToBgrx(img, bytes);
    EXPECT_EQ(3, bytes[0]);
    EXPECT_EQ(2, bytes[1]);
    EXPECT_EQ(1, bytes[2]);
    EXPECT_EQ(9, bytes[20]);
    EXPECT_TRUE(dummy::ImageFromBgrx(bytes, 3, 2) == img);
}

}  // namespace
