// The portable part of one game-watch pass (the plan from the gauge strip and
// the marker column: analysis, quest phase, what to do) and of one note-panel
// reading, on blocks laid out like real captures of a
// 644-pixel-wide game client. The captures themselves are not included.
#include <benchmark/benchmark.h>

#include "app/screen/health_gauge.h"
#include "app/screen/note_panel.h"
#include "app/screen/note_tracker.h"
#include "app/screen/watch_plan.h"
#include "tests/unit/pixel_canvas.h"

namespace gkr {
namespace {

using test::kBlackRgb;
using test::kWhiteRgb;
using test::PixelCanvas;
using test::Rgb;

PixelCanvas GaugeStrip() {
    PixelCanvas strip(HealthStripRect(644).Width(), 2, Rgb{120, 30, 30});
    for (int i = 1; i <= 3; ++i) strip.Set(i, 0, Rgb{40, 80, 20});
    strip.Set(328, 0, kBlackRgb);  // maximum health 100
    return strip;
}

PixelCanvas MarkerColumn() {
    PixelCanvas column(1, kMarkerColumnRect.Height());
    for (int j : {3, 6, 7, 8}) column.Set(0, j, kBlackRgb);
    for (int j : {4, 5}) column.Set(0, j, kWhiteRgb);
    return column;
}

PixelCanvas NotePanel() {
    PixelCanvas panel(kNotePanelRect.Width(), kNotePanelRect.Height(), Rgb{60, 50, 40});
    const Rgb notes[4] = {{255, 0, 0}, {0, 255, 0}, {250, 250, 250}, kBlackRgb};
    for (int k = 0; k < 4; ++k) {
        const int y = k % 2 ? 16 : 8;
        panel.Set(24 * k, y, kBlackRgb);
        panel.Set(24 * k + 14, y, kBlackRgb);
        panel.Set(24 * k + 10 + (k % 2 ? 5 : 0), 8, notes[k]);
    }
    return panel;
}

void GameWatchPlan(benchmark::State& state) {
    const PixelCanvas strip = GaugeStrip(), column = MarkerColumn();
    WatchInputs in;
    in.strip = strip.Block();
    in.column = column.Block();
    in.autoTimer = true;
    in.timerExists = true;
    in.frequency = 1000;
    AutoTimer autoTimer;
    for (auto _ : state) {
        in.now += 1000;  // a pass a second
        const WatchPlan plan = PlanWatchPass(in, autoTimer);
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(GameWatchPlan);

void NotePanelReading(benchmark::State& state) {
    const PixelCanvas panel = NotePanel();
    NotePanelTracker tracker;
    for (auto _ : state) {
        // Hidden in between, so every reading is accepted and fully matched.
        tracker.OnPanelHidden();
        const NotePanelUpdate update = tracker.OnReading(ReadNoteSlots(panel.Block()));
        benchmark::DoNotOptimize(update);
    }
}
BENCHMARK(NotePanelReading);

}  // namespace
}  // namespace gkr
