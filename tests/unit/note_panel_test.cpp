#include "app/screen/note_panel.h"

#include <gtest/gtest.h>

#include "app/screen/note_colors.h"
#include "tests/unit/pixel_canvas.h"

namespace gkr {
namespace {

using test::kBlackRgb;
using test::kWhiteRgb;
using test::PixelCanvas;
using test::Rgb;

// --- the marker column ---------------------------------------------------

PixelCanvas MarkerColumn() {
    PixelCanvas column(1, kMarkerColumnRect.Height());
    for (int j : {3, 6, 7, 8}) column.Set(0, j, kBlackRgb);
    for (int j : {4, 5}) column.Set(0, j, kWhiteRgb);
    return column;
}

TEST(NotePanelMarker, BlackWhiteStripeAtY54To59) {
    EXPECT_TRUE(HasNotePanelMarker(MarkerColumn().Block()));
}

TEST(NotePanelMarker, EveryStripePixelMatters) {
    for (int j = 3; j <= 8; ++j) {
        PixelCanvas column = MarkerColumn();
        column.Set(0, j, Rgb{128, 128, 128});
        EXPECT_FALSE(HasNotePanelMarker(column.Block())) << "pixel " << j;
    }
}

TEST(NotePanelMarker, ColoursMustBeExact) {
    PixelCanvas nearWhite = MarkerColumn();
    nearWhite.Set(0, 4, Rgb{255, 255, 254});
    EXPECT_FALSE(HasNotePanelMarker(nearWhite.Block()));

    PixelCanvas nearBlack = MarkerColumn();
    nearBlack.Set(0, 7, Rgb{0, 0, 1});
    EXPECT_FALSE(HasNotePanelMarker(nearBlack.Block()));
}

TEST(NotePanelMarker, PixelsAroundTheStripeDoNotMatter) {
    PixelCanvas column = MarkerColumn();
    for (int j : {0, 1, 2, 9, 10}) column.Set(0, j, kWhiteRgb);
    EXPECT_TRUE(HasNotePanelMarker(column.Block()));
}

TEST(NotePanelMarker, MissingCaptureIsNoMarker) {
    // A zero-filled buffer looks black; only the captured bytes may count.
    PixelCanvas black(1, kMarkerColumnRect.Height(), kBlackRgb);
    EXPECT_FALSE(HasNotePanelMarker(black.CutBlock(0)));
    EXPECT_FALSE(HasNotePanelMarker(MarkerColumn().CutBlock(8 * kBytesPerPixel)));
}

TEST(NotePanelVisibility, NeedsTheMarkerAndAReadMaximum) {
    const PixelCanvas column = MarkerColumn();
    const PixelBlock marker = column.Block();
    EXPECT_TRUE(IsNotePanelVisible(marker, 100));
    EXPECT_FALSE(IsNotePanelVisible(marker, -1));
    EXPECT_FALSE(IsNotePanelVisible(PixelCanvas(1, 11).Block(), 100));
}

// --- the four note slots -------------------------------------------------

constexpr Rgb kGreen{0, 255, 0}, kRed{255, 0, 0}, kYellow{255, 255, 0}, kWhite{255, 255, 255};

// A panel with every slot framed and every note position black (empty).
PixelCanvas EmptyPanel() {
    PixelCanvas panel(kNotePanelRect.Width(), kNotePanelRect.Height());
    for (int k = 0; k < 4; ++k) {
        const int y = (k % 2) ? 16 : 8;
        panel.Set(24 * k, y, kBlackRgb);
        panel.Set(24 * k + 14, y, kBlackRgb);
    }
    for (int x : {10, 39, 58, 87}) panel.Set(x, 8, kBlackRgb);
    return panel;
}

const int kSampleX[4] = {10, 39, 58, 87};

TEST(NoteSlots, EmptyPanelHasNoNotes) {
    NoteSlots slots = ReadNoteSlots(EmptyPanel().Block());
    EXPECT_TRUE(slots.framed);
    EXPECT_EQ(0, slots.filled);
}

TEST(NoteSlots, FilledCountStopsAtTheFirstBlackSample) {
    PixelCanvas panel = EmptyPanel();
    panel.Set(kSampleX[0], 8, kRed);
    panel.Set(kSampleX[2], 8, kGreen);  // behind the empty slot 1: not counted
    NoteSlots slots = ReadNoteSlots(panel.Block());
    EXPECT_EQ(1, slots.filled);
    EXPECT_EQ(0x0000FFu, slots.colors[0]);
}

TEST(NoteSlots, SamplesAtX10_39_58_87) {
    PixelCanvas panel = EmptyPanel();
    const Rgb notes[4] = {kRed, kGreen, kYellow, kWhite};
    for (int k = 0; k < 4; ++k) panel.Set(kSampleX[k], 8, notes[k]);
    NoteSlots slots = ReadNoteSlots(panel.Block());
    ASSERT_TRUE(slots.framed);
    EXPECT_EQ(4, slots.filled);
    EXPECT_EQ(4, MatchNoteColor(slots.colors[0]));
    EXPECT_EQ(1, MatchNoteColor(slots.colors[1]));
    EXPECT_EQ(5, MatchNoteColor(slots.colors[2]));
    EXPECT_EQ(7, MatchNoteColor(slots.colors[3]));
}

TEST(NoteSlots, AnyMissingFrameAbandonsTheReading) {
    const int frames[8][2] = {{0, 8}, {14, 8}, {24, 16}, {38, 16}, {48, 8}, {62, 8}, {72, 16}, {86, 16}};
    for (const auto& f : frames) {
        PixelCanvas panel = EmptyPanel();
        panel.Set(kSampleX[0], 8, kRed);
        panel.Set(f[0], f[1], Rgb{20, 20, 20});
        NoteSlots slots = ReadNoteSlots(panel.Block());
        EXPECT_FALSE(slots.framed) << "frame pixel " << f[0] << ", " << f[1];
    }
}

TEST(NoteSlots, FailedCaptureIsNoReading) {
    EXPECT_FALSE(ReadNoteSlots(EmptyPanel().CutBlock(0)).framed);
}

// --- note colours --------------------------------------------------------

uint32_t ColorRef(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

TEST(NoteColors, EachReferenceColourMatchesItsCode) {
    for (const NoteColor& c : NoteColorTable) EXPECT_EQ(c.code, MatchNoteColor(ColorRef(c.r, c.g, c.b)));
}

TEST(NoteColors, EveryChannelMustBeWithinNine) {
    EXPECT_EQ(7, MatchNoteColor(ColorRef(250, 250, 250)));
    EXPECT_EQ(0, MatchNoteColor(ColorRef(245, 255, 255)));
    EXPECT_EQ(3, MatchNoteColor(ColorRef(41, 31, 255)));   // 32+9, 40-9
    EXPECT_EQ(0, MatchNoteColor(ColorRef(42, 40, 255)));   // 32+10
    EXPECT_EQ(6, MatchNoteColor(ColorRef(231, 26, 246)));  // 240-9, 17+9, 238+8
    EXPECT_EQ(0, MatchNoteColor(ColorRef(240, 17, 228)));  // 238-10
    EXPECT_EQ(0, MatchNoteColor(0));
}

// Song files and conf.xml may hold any note value: nothing outside 1..7 is
// drawn or named.
TEST(NoteColors, OnlyValuesOneToSevenHaveAColour) {
    for (int32_t value : {0, 8, -1, INT32_MIN, INT32_MAX}) EXPECT_EQ(nullptr, FindNoteColor(value)) << value;
    EXPECT_STREQ(L"분", FindNoteColor(6)->shortName);
}

}  // namespace
}  // namespace gkr
