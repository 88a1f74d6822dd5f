#include "app/worker_loop.h"

#include "app/dispatch_codes.h"

namespace gkr {

void PollPace::Want(bool wanted, int64_t now, int64_t period) {
    if (!wanted || period <= 0) next_.reset();
    else if (!next_) next_ = now + period;
}

bool PollPace::Take(int64_t now, int64_t period) {
    if (!next_ || now < *next_) return false;
    *next_ += period;
    if (*next_ <= now) next_ = now + period;  // held up: start afresh rather than poll in a burst
    return true;
}

void LookPace::Want(bool wanted, int64_t now) {
    if (wanted && !looking_) last_ = now;
    looking_ = wanted;
}

std::optional<int64_t> LookPace::Next(int64_t period) const {
    if (!looking_ || period <= 0) return std::nullopt;
    return last_ + period;
}

bool LookPace::Take(int64_t now, int64_t period) {
    if (!looking_ || period <= 0 || now - last_ < period / 2) return false;
    last_ = now;
    return true;
}

uint32_t WaitMsUntil(std::optional<int64_t> due, int64_t now, int64_t frequency) {
    if (!due || frequency <= 0) return kLongestWaitMs;
    if (*due <= now) return 0;
    // Unsigned: the difference of two clock values far apart does not fit a signed one.
    const uint64_t apart = static_cast<uint64_t>(*due) - static_cast<uint64_t>(now);
    if (apart >= static_cast<uint64_t>(frequency)) return kLongestWaitMs;  // a second or more away
    const int64_t ticks = static_cast<int64_t>(apart);
    // ticks < frequency: ticks * 1000 stays far from overflow at any real counter rate.
    const int64_t ms = frequency <= INT64_MAX / 1000 ? (ticks * 1000 + frequency - 1) / frequency
                                                     : ticks / (frequency / 1000) + 1;
    return static_cast<uint32_t>(ms < kLongestWaitMs ? ms : kLongestWaitMs);
}

std::optional<int64_t> SharedWake(const std::vector<Deadline>& deadlines) {
    std::optional<int64_t> latestAllowed;
    for (const Deadline& d : deadlines)
        if (d.at) latestAllowed = Earliest(latestAllowed, *d.at > INT64_MAX - d.slack ? INT64_MAX : *d.at + d.slack);
    std::optional<int64_t> wake;
    for (const Deadline& d : deadlines)
        if (d.at && *d.at <= *latestAllowed && (!wake || *d.at > *wake)) wake = d.at;
    return wake;
}

std::optional<int64_t> Earliest(std::optional<int64_t> a, std::optional<int64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return *a < *b ? a : b;
}

int32_t RunWorkerLoop(TaskScheduler& tasks, const std::atomic<int32_t>& running, WorkerHost& host) {
    if (running.load() == 0) return 0;
    const TaskScheduler::Dispatcher dispatch = [&host](int32_t code) { host.Dispatch(code); };
    PollPace pace;
    LookPace look;
    for (;;) {
        const int64_t frequency = host.Frequency();
        const int64_t pollPeriod = static_cast<int64_t>(static_cast<double>(frequency) * kHotkeyPollSeconds);
        const int64_t lookPeriod = static_cast<int64_t>(static_cast<double>(frequency) * kFollowLookSeconds);

        // The note panel rests while hidden; one last reading lets it forget
        // the notes it last saw.
        const bool panelShown = host.NotePanelShown();
        if (tasks.SetActive(dispatch::TaskNotePanel, panelShown, frequency) && !panelShown)
            host.Dispatch(dispatch::TaskNotePanel);

        int64_t now = host.Now();
        pace.Want(host.PollWanted(), now, pollPeriod);
        look.Want(host.FollowingGame(), now);
        const std::optional<int64_t> timerAt = host.TimerFaceChange(now);
        const std::optional<int64_t> sheetAt = host.SheetFaceChange(now);
        const int64_t taskSlack = static_cast<int64_t>(static_cast<double>(frequency) * kTaskSlackSeconds);
        const int64_t repaintSlack = static_cast<int64_t>(static_cast<double>(frequency) * kRepaintSlackSeconds);
        const std::optional<int64_t> due = SharedWake(
            {{tasks.NextDue(frequency), taskSlack},
             {pace.Next(), 0},
             {look.Next(lookPeriod), 0},
             {timerAt, repaintSlack},
             {sheetAt, repaintSlack}});
        const uint32_t waitMs = WaitMsUntil(due, now, frequency);
        const bool woken = waitMs > 0 && host.Wait(waitMs);
        // Stopped during the wait: the program is going down, so no new pass
        // starts against windows and settings that are about to go away.
        if (running.load() == 0) return 0;

        now = host.Now();
        // Looked at before the reading, which skips a pass while the overlays
        // have not yet followed a move.
        if (look.Take(now, lookPeriod)) host.Dispatch(dispatch::TaskFollowGame);
        tasks.RunDueTasks(now, frequency, dispatch);
        // Woken: a timer may have been started, or songs relisted; the
        // repaints compare the faces and act only on a change.
        if (woken || (timerAt && *timerAt <= now)) host.Dispatch(dispatch::TaskTimerTick);
        if (woken || (sheetAt && *sheetAt <= now)) host.Dispatch(dispatch::TaskSheetRedraw);
        if (pace.Take(now, pollPeriod)) host.PollInput();
        if (running.load() == 0) return 0;
    }
}

}  // namespace gkr
