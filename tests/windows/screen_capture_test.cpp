#include "app/screen/screen_capture_win.h"

#include <array>

#include <gtest/gtest.h>

#include "tests/windows/painted_window.h"

namespace gkr {
namespace {

using test::Fill;
using test::PaintedWindow;

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kPatch = RGB(200, 100, 50);

// Client (5..9, 3..5) is the patch, everything else the background.
class ScreenCaptureTest : public ::testing::Test {
protected:
    ScreenCaptureTest()
        : window(L"GKRCaptureTestWnd", POINT{60, 70}, SIZE{200, 100},
                 {Fill{{0, 0, 200, 100}, kBackground}, Fill{{5, 3, 10, 6}, kPatch}}) {}

    void SetUp() override { ASSERT_TRUE(window.WaitForPixel(POINT{5, 3}, kPatch)) << "window never reached the display"; }

    POINT Origin() const {
        POINT origin{0, 0};
        ClientToScreen(window.Handle(), &origin);
        return origin;
    }

    PaintedWindow window;
    DisplayDC display;
};

void ExpectPixel(const CaptureBuffer& buffer, size_t index, COLORREF expected) {
    const uint8_t* p = &buffer[index * 4];
    SCOPED_TRACE(testing::Message() << "pixel " << index << ": " << int(p[0]) << ", " << int(p[1]) << ", " << int(p[2]));
    EXPECT_EQ(GetBValue(expected), p[0]) << "blue of pixel " << index;
    EXPECT_EQ(GetGValue(expected), p[1]) << "green of pixel " << index;
    EXPECT_EQ(GetRValue(expected), p[2]) << "red of pixel " << index;
}

TEST_F(ScreenCaptureTest, BlueGreenRedRowsTopDownBothCornersInclusive) {
    CaptureBuffer buffer{};
    const POINT o = Origin();
    // (4, 2)..(10, 6): 7 x 5 pixels, the patch at (5..9, 3..5) inside it.
    ASSERT_EQ(7 * 5 * 4, CaptureScreenRect(display.Get(), o.x, o.y, 4, 2, 10, 6, buffer));
    ExpectPixel(buffer, 0, kBackground);          // (4, 2)
    ExpectPixel(buffer, 1 * 7 + 1, kPatch);       // (5, 3): first patch pixel
    ExpectPixel(buffer, 3 * 7 + 5, kPatch);       // (9, 5): last patch pixel
    ExpectPixel(buffer, 3 * 7 + 6, kBackground);  // (10, 5)
    ExpectPixel(buffer, 4 * 7 + 5, kBackground);  // (9, 6)
}

TEST_F(ScreenCaptureTest, BlockIsRelativeToTheOrigin) {
    CaptureBuffer buffer{};
    POINT shifted = Origin();
    shifted.x += 5;  // as OffsetX = 5 would
    shifted.y += 3;
    PixelBlock block = CaptureBlock(display.Get(), shifted, CaptureRect{0, 0, 4, 2}, buffer);
    ASSERT_TRUE(block.Has(4, 2));
    EXPECT_EQ(uint32_t(kPatch), block.At(0, 0).ToColorRef());
    EXPECT_EQ(uint32_t(kPatch), block.At(4, 2).ToColorRef());
}

TEST_F(ScreenCaptureTest, WideRectangleIsCutAtTheBufferSize) {
    struct Guarded {
        CaptureBuffer buffer;
        std::array<uint8_t, 256> guard;
    } g;
    g.buffer.fill(0);
    g.guard.fill(0xAB);
    const POINT o = Origin();
    // 1200 x 5 pixels would be 24000 bytes; the fifth row is cut after 960 pixels.
    EXPECT_EQ(int(kCaptureBufferBytes), CaptureScreenRect(display.Get(), o.x, o.y, 0, 0, 1199, 4, g.buffer));
    for (uint8_t b : g.guard) ASSERT_EQ(0xAB, b);
    ExpectPixel(g.buffer, 0, kBackground);
    ExpectPixel(g.buffer, 3 * 1200 + 5, kPatch);  // rows follow each other without a gap
}

TEST_F(ScreenCaptureTest, EmptyRectangleCopiesNothing) {
    CaptureBuffer buffer{};
    const POINT o = Origin();
    EXPECT_EQ(0, CaptureScreenRect(display.Get(), o.x, o.y, 10, 0, 9, 0, buffer));
    EXPECT_EQ(0, CaptureScreenRect(display.Get(), o.x, o.y, 0, 5, 0, 4, buffer));
    EXPECT_EQ(0, CaptureScreenRect(nullptr, o.x, o.y, 0, 0, 1, 1, buffer));
}

}  // namespace
}  // namespace gkr
