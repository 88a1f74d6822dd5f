// The dummy game screen must be read by the utility's pixel rules as the state
// it claims to show. The rules are written out again here, from their
// description, so a drawing mistake cannot hide behind shared code.
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "dummy/scene.h"

namespace {

using dummy::Image;
using dummy::Rgb;
using dummy::Scene;

bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }
bool IsWhite(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }

struct Reading {
    bool gauge = false;
    int maxHealth = -1;
    bool marker = false;
    bool framed = false;  // all eight slot frame pixels black
    int filled = 0;
    std::array<int, 4> codes{};
};

int MatchNote(Rgb c) {
    static const int kTable[7][3] = {{0, 255, 0},   {0, 255, 255},   {32, 40, 255},   {255, 0, 0},
                                     {255, 255, 0}, {240, 17, 238}, {255, 255, 255}};
    for (int code = 1; code <= 7; ++code) {
        const int* t = kTable[code - 1];
        if (std::abs(c.r - t[0]) < 10 && std::abs(c.g - t[1]) < 10 && std::abs(c.b - t[2]) < 10) return code;
    }
    return 0;
}

Reading Read(const Image& screen) {
    Reading r;
    // Health gauge on row 30: colour at x = 120..122, maximum from the last black scan sample.
    const Rgb p1 = screen.At(120, 30), p2 = screen.At(121, 30), p3 = screen.At(122, 30);
    r.gauge = p1 == p2 && p2 == p3 && p1.r != 0 && p1.g != 0 && p1.b != 0 && p1.g >= 2 * p1.r && p1.g >= p1.b;
    for (int k = 0; k <= 20; ++k)
        if (IsBlack(screen.At(119 + 3 + (16250 + 1625 * k) / 100, 30))) r.maxHealth = 50 + 5 * k;
    // Marker column x = 215.
    auto m = [&](int y) { return screen.At(215, y); };
    r.marker = IsBlack(m(58)) && IsBlack(m(54)) && IsWhite(m(55)) && IsWhite(m(56)) && IsBlack(m(57)) && IsBlack(m(59));
    // Note panel, relative to (239, 53).
    auto p = [&](int x, int y) { return screen.At(239 + x, 53 + y); };
    r.framed = true;
    for (int k = 0; k < 4; ++k) {
        const int x0 = 24 * k, yk = k % 2 == 0 ? 8 : 16;
        r.framed = r.framed && IsBlack(p(x0, yk)) && IsBlack(p(x0 + 14, yk));
    }
    const int sampleX[4] = {10, 39, 58, 87};
    r.filled = 4;
    for (int k = 0; k < 4; ++k)
        if (IsBlack(p(sampleX[k], 8))) {
            r.filled = k;
            break;
        }
    for (int k = 0; k < r.filled; ++k) r.codes[k] = MatchNote(p(sampleX[k], 8));
    return r;
}

Scene Notes(std::array<int, 4> notes) {
    Scene s;
    s.notes = notes;
    return s;
}

const Image& Still() {
    static const Image still = dummy::RenderGameFrame(dummy::StillScene());
    return still;
}

// A scene's frame, by way of the still frame (ApplyScene is checked against
// RenderGameFrame below, and it is much quicker).
Image Frame(const Scene& scene) {
    Image frame = Still();
    dummy::ApplyScene(scene, frame);
    return frame;
}

TEST(DummyScene, StillPictureShowsGaugeOfHundredAndAnEmptyNotePanel) {
    const Reading r = Read(Still());
    EXPECT_TRUE(r.gauge);
    EXPECT_EQ(100, r.maxHealth);
    EXPECT_TRUE(r.marker);
    EXPECT_TRUE(r.framed);
    EXPECT_EQ(0, r.filled);
    EXPECT_EQ(Rgb({0, 0, 0}), Still().At(447, 30));
}

TEST(DummyScene, EveryMaximumHealthOnTheScaleIsReadBack) {
    for (int v = 50; v <= 150; v += 5) {
        Scene s;
        s.maxHealth = v;
        const Reading r = Read(Frame(s));
        EXPECT_TRUE(r.gauge) << v;
        EXPECT_EQ(v, r.maxHealth) << v;
        EXPECT_TRUE(r.marker) << v;  // the gauge leaves the note panel alone
    }
}

TEST(DummyScene, HiddenGaugeIsAbsentAndHasNoBlackSample) {
    Scene s;
    s.gaugeShown = false;
    const Reading r = Read(Frame(s));
    EXPECT_FALSE(r.gauge);
    EXPECT_EQ(-1, r.maxHealth);
    EXPECT_TRUE(r.marker);
}

TEST(DummyScene, NotesAreReadFromTheLeftWithTheirCodes) {
    const Reading r = Read(Frame(Notes({4, 1, 7, 0})));
    EXPECT_TRUE(r.framed);
    EXPECT_EQ(3, r.filled);
    EXPECT_EQ((std::array<int, 4>{4, 1, 7, 0}), r.codes);
    EXPECT_TRUE(r.marker);
    EXPECT_EQ(100, r.maxHealth);
}

TEST(DummyScene, EveryNoteCodeReadsBackInEverySlot) {
    for (int code = 1; code <= 7; ++code) {
        const Reading r = Read(Frame(Notes({code, code, code, code})));
        EXPECT_TRUE(r.framed) << code;
        EXPECT_EQ(4, r.filled) << code;
        EXPECT_EQ((std::array<int, 4>{code, code, code, code}), r.codes) << code;
    }
    const Reading mixed = Read(Frame(Notes({6, 3, 5, 2})));
    EXPECT_EQ(4, mixed.filled);
    EXPECT_EQ((std::array<int, 4>{6, 3, 5, 2}), mixed.codes);
}

TEST(DummyScene, HiddenNotePanelLosesItsMarker) {
    Scene s;
    s.notePanelShown = false;
    const Reading r = Read(Frame(s));
    EXPECT_FALSE(r.marker);
    EXPECT_TRUE(r.gauge);
    EXPECT_EQ(100, r.maxHealth);
}

std::vector<Scene> SomeScenes() {
    std::vector<Scene> scenes;
    Scene s;
    s.gaugeShown = false;
    scenes.push_back(s);
    s = Scene{};
    s.maxHealth = 150;
    s.notes = {1, 2, 3, 4};
    scenes.push_back(s);
    s = Scene{};
    s.maxHealth = 50;
    s.notePanelShown = false;
    scenes.push_back(s);
    scenes.push_back(Notes({7, 0, 0, 0}));
    return scenes;
}

TEST(DummyScene, ApplyingASceneToAnyFrameGivesThatScenesFrame) {
    const std::vector<Scene> scenes = SomeScenes();
    std::vector<Image> frames;
    for (const Scene& s : scenes) frames.push_back(dummy::RenderGameFrame(s));
    for (std::size_t from = 0; from < scenes.size(); ++from) {
        for (std::size_t to = 0; to < scenes.size(); ++to) {
            Image frame = frames[from];
            dummy::ApplyScene(scenes[to], frame);
            EXPECT_TRUE(frame == frames[to]) << from << " -> " << to;
        }
        Image back = frames[from];
        dummy::ApplyScene(dummy::StillScene(), back);
        EXPECT_TRUE(back == Still()) << "the still scene restores the picture";
    }
}

TEST(DummyScene, ScenesChangeNothingOutsideTheGaugeAndNoteBands) {
    const dummy::Rect bands[] = {{104, 22, 616, 47}, {200, 47, 340, 78}};
    for (const Scene& s : SomeScenes()) {
        const Image frame = dummy::RenderGameFrame(s);
        int differing = 0;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                if (!bands[0].Contains(x, y) && !bands[1].Contains(x, y) && frame.At(x, y) != Still().At(x, y))
                    ++differing;
        EXPECT_EQ(0, differing);
    }
}

TEST(DummyScene, FramesOfAnotherSizeAreLeftAlone) {
    Image small(100, 80, Rgb{1, 2, 3});
    dummy::ApplyScene(SomeScenes()[0], small);
    EXPECT_TRUE(small == Image(100, 80, Rgb{1, 2, 3}));
}

TEST(DummyScene, ValidScenesKeepToTheGaugeScaleAndFillSlotsFromTheLeft) {
    Scene s;
    EXPECT_TRUE(dummy::IsValidScene(s));
    s.maxHealth = 123;
    EXPECT_FALSE(dummy::IsValidScene(s));
    s.gaugeShown = false;
    EXPECT_TRUE(dummy::IsValidScene(s)) << "no gauge, no scale";
    s = Scene{};
    s.maxHealth = 155;
    EXPECT_FALSE(dummy::IsValidScene(s));
    EXPECT_TRUE(dummy::IsValidScene(Notes({1, 2, 0, 0})));
    EXPECT_FALSE(dummy::IsValidScene(Notes({1, 0, 2, 0})));
    EXPECT_FALSE(dummy::IsValidScene(Notes({8, 0, 0, 0})));
    EXPECT_FALSE(dummy::IsValidScene(Notes({-1, 0, 0, 0})));
}

TEST(DummyScene, ScenesCompareByWhatTheyShow) {
    Scene a, b;
    a.gaugeShown = b.gaugeShown = false;
    b.maxHealth = 60;  // not shown, so not part of the scene
    EXPECT_EQ(a, b);
    a.notePanelShown = b.notePanelShown = false;
    b.notes = {1, 0, 0, 0};
    EXPECT_EQ(a, b);
    b.notePanelShown = true;
    EXPECT_NE(a, b);
}

}  // namespace
