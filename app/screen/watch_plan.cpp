#include "app/screen/watch_plan.h"

#include "app/screen/note_panel.h"

namespace gkr {

WatchPlan PlanWatchPass(const WatchInputs& in, AutoTimer& autoTimer) {
    WatchPlan plan;
    const HealthGaugeReading gauge = ReadHealthGauge(in.strip);
    if (gauge.present) {
        plan.maxHealth = gauge.maxHealth;
        if (in.timerExists) plan.timer = autoTimer.OnPass(true, in.autoTimer, in.now, in.frequency);
    } else {
        if (in.timerExists) plan.timer = autoTimer.OnPass(false, in.autoTimer, in.now, in.frequency);
        plan.hideAndResetSheet = plan.timer == AutoTimerAction::Stop;
    }
    plan.notePanelVisible = IsNotePanelVisible(in.column, gauge.maxHealth) ? 1 : 0;
    return plan;
}

}  // namespace gkr
