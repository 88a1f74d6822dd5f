// One game-watch pass from captured pixels: the maximum health, the quest
// timer started and stopped with the gauge, the song sheet reset at a
// quest's end, and the note-panel flag.
#include "app/screen/watch_plan.h"

#include <gtest/gtest.h>

#include "app/screen/note_panel.h"
#include "pixel_canvas.h"

namespace gkr {
namespace {

using test::PixelCanvas;
using test::Rgb;

constexpr int64_t kFrequency = 1000;

PixelCanvas Strip(bool gauge, int maxHealth) {
    PixelCanvas strip(HealthStripRect(644).Width(), 2);
    if (gauge)
        for (int i = 1; i <= 3; ++i) strip.Set(i, 0, Rgb{40, 80, 20});
    if (maxHealth > 0) strip.Set(3 + 325 * maxHealth / 100, 0, test::kBlackRgb);
    return strip;
}

PixelCanvas Column(bool marker) {
    PixelCanvas column(1, kMarkerColumnRect.Height());
    if (marker) {
        for (int j : {3, 6, 7, 8}) column.Set(0, j, test::kBlackRgb);
        for (int j : {4, 5}) column.Set(0, j, test::kWhiteRgb);
    }
    return column;
}

class WatchPass : public ::testing::Test {
protected:
    WatchPlan Pass(double atSeconds, bool gauge, int maxHealth = 100, bool marker = true, bool timerExists = true) {
        const PixelCanvas strip = Strip(gauge, maxHealth), column = Column(marker);
        WatchInputs in;
        in.strip = strip.Block();
        in.column = column.Block();
        in.autoTimer = true;
        in.timerExists = timerExists;
        in.now = int64_t(atSeconds * kFrequency);
        in.frequency = kFrequency;
        return PlanWatchPass(in, autoTimer);
    }
    AutoTimer autoTimer;
};

TEST_F(WatchPass, GaugeGivesTheMaximumAndTheQuestPhase) {
    WatchPlan plan = Pass(1000, true, 135);
    EXPECT_EQ(135, plan.maxHealth);
    EXPECT_EQ(AutoTimerAction::Start, plan.timer) << "first sight";
    EXPECT_EQ(1, plan.notePanelVisible);
    EXPECT_EQ(AutoTimerAction::None, Pass(1001, true).timer);

    plan = Pass(1015, false);
    EXPECT_EQ(kNoMaxHealth, plan.maxHealth);
    EXPECT_EQ(AutoTimerAction::None, plan.timer) << "a short absence";
    EXPECT_FALSE(plan.hideAndResetSheet);
    EXPECT_EQ(1, plan.notePanelVisible) << "the scan still reads 100";

    plan = Pass(1021.5, false, 0);
    EXPECT_EQ(AutoTimerAction::Stop, plan.timer);
    EXPECT_TRUE(plan.hideAndResetSheet) << "the quest's song effects no longer count";
    EXPECT_EQ(0, plan.notePanelVisible) << "no maximum read, no note panel";
    EXPECT_EQ(AutoTimerAction::Start, Pass(1030, true).timer) << "the next quest";
}

TEST_F(WatchPass, TheQuestWaitsForTheTimerOverlay) {
    EXPECT_EQ(AutoTimerAction::None, Pass(1000, true, 100, true, false).timer);
    EXPECT_EQ(100, Pass(1000.5, true, 100, true, false).maxHealth);
    EXPECT_EQ(AutoTimerAction::Start, Pass(1001, true).timer) << "the sighting was kept for the timer";
    EXPECT_EQ(AutoTimerAction::None, Pass(1030, false, 100, true, false).timer);
    EXPECT_FALSE(Pass(1031, false, 100, true, false).hideAndResetSheet);
}

}  // namespace
}  // namespace gkr
