// Scene commands and start-up options of DummyGKR: each changes only its part
// of the scene, and anything malformed changes nothing.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dummy/scene_commands.h"

namespace {

using dummy::Scene;

Scene With(bool gauge, int maxHealth, bool panel, std::array<int, 4> notes) {
    Scene s;
    s.gaugeShown = gauge;
    s.maxHealth = maxHealth;
    s.notePanelShown = panel;
    s.notes = notes;
    return s;
}

Scene AfterCommands(std::initializer_list<int> ids) {
    Scene s = dummy::StillScene();
    for (int id : ids) EXPECT_TRUE(dummy::ApplySceneCommand(id, s)) << id;
    return s;
}

TEST(DummyCommands, IdsAreTheDocumentedNumbers) {
    EXPECT_EQ(41120, dummy::GaugeCommand(120));
    EXPECT_EQ(54170, dummy::NotePanelCommand(4, 1, 7));
    EXPECT_EQ(50000, dummy::NotePanelCommand(0));
}

TEST(DummyCommands, EachCommandChangesOnlyItsPart) {
    EXPECT_EQ(With(false, 100, true, {}), AfterCommands({dummy::kCmdHideGauge}));
    EXPECT_EQ(With(true, 120, true, {}), AfterCommands({41120}));
    EXPECT_EQ(With(true, 100, false, {}), AfterCommands({dummy::kCmdHideNotePanel}));
    EXPECT_EQ(With(true, 100, true, {4, 1, 7, 0}), AfterCommands({54170}));
    EXPECT_EQ(With(false, 100, true, {4, 1, 7, 0}), AfterCommands({54170, dummy::kCmdHideGauge}));
    EXPECT_EQ(With(true, 150, false, {}), AfterCommands({dummy::kCmdHideNotePanel, 41150}));
}

TEST(DummyCommands, ShowingAgainAndStillPictureRestore) {
    EXPECT_EQ(With(true, 50, true, {}), AfterCommands({dummy::kCmdHideGauge, 41050}));
    EXPECT_EQ(With(true, 100, true, {}), AfterCommands({dummy::kCmdHideNotePanel, 50000}));
    EXPECT_EQ(With(true, 100, true, {2, 0, 0, 0}), AfterCommands({54170, 52000}));
    EXPECT_EQ(dummy::StillScene(), AfterCommands({dummy::kCmdHideGauge, 56543, dummy::kCmdStillPicture}));
}

TEST(DummyCommands, OtherIdsAndOutOfRangeValuesAreNotSceneCommands) {
    const Scene changed = With(true, 70, true, {3, 0, 0, 0});
    for (int id : {0, 1, 2, 104, 105, 40000, 41003, 41045, 41049, 41123, 41149, 41155, 41250, 49999, 54017, 58000,
                   51800, 50009, 60000, 65535}) {
        Scene s = changed;
        EXPECT_FALSE(dummy::ApplySceneCommand(id, s)) << id;
        EXPECT_EQ(changed, s) << id;
    }
}

Scene FromArgs(std::vector<std::wstring> args) { return dummy::SceneFromArguments(args); }

TEST(DummyOptions, NoOptionsShowTheStillPicture) {
    EXPECT_EQ(dummy::StillScene(), FromArgs({}));
    EXPECT_EQ(dummy::StillScene(), FromArgs({L"--other", L"gauge=off", L"--Gauge=off"}));
}

TEST(DummyOptions, GaugeAndNotesAreSetByTheirOptions) {
    EXPECT_EQ(With(true, 120, true, {4, 1, 7, 0}), FromArgs({L"--gauge=120", L"--notes=4,1,7"}));
    EXPECT_EQ(With(false, 100, false, {}), FromArgs({L"--notes=off", L"--gauge=off"}));
    EXPECT_EQ(With(true, 100, true, {}), FromArgs({L"--notes=on"}));
    EXPECT_EQ(With(true, 100, true, {1, 2, 6, 7}), FromArgs({L"--notes=1,2,6,7"}));
    EXPECT_EQ(With(true, 100, true, {5, 0, 0, 0}), FromArgs({L"--notes=5"}));
    EXPECT_EQ(With(true, 55, true, {}), FromArgs({L"--gauge=off", L"--gauge=55"})) << "the later option wins";
}

TEST(DummyOptions, MalformedOptionsAreIgnored) {
    const Scene still = dummy::StillScene();
    for (const wchar_t* arg : {L"--gauge=", L"--gauge=123", L"--gauge=45", L"--gauge=155", L"--gauge=1e2",
                               L"--gauge=-50", L"--gauge=12000", L"--gauge=on", L"--notes=", L"--notes=0",
                               L"--notes=8", L"--notes=4,1,", L"--notes=,4", L"--notes=41", L"--notes=4,,1",
                               L"--notes=1,2,3,4,5", L"--notes=4;1", L"--notes=OFF"})
        EXPECT_EQ(still, FromArgs({arg})) << arg;
    EXPECT_EQ(With(true, 120, true, {}), FromArgs({L"--gauge=120", L"--gauge=121"}))
        << "a bad option keeps the earlier good one";
}

}  // namespace
