// The worker thread's loop: wait until something is due (or until woken),
// run the due tasks, repaint an overlay whose face changed, poll the input
// when its time has come, and stop when the running flag is cleared. The
// platform side (the wait, the clock, the dispatcher, the input poll and the
// overlays' state) comes from a host.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/framework/task_scheduler.h"

namespace gkr {

class WorkerHost {
public:
    // Waits at most ms milliseconds; returns early, and true, when woken
    // (something that changes what is due happened on another thread).
    virtual bool Wait(uint32_t ms) = 0;
    virtual int64_t Now() = 0;        // clock ticks
    virtual int64_t Frequency() = 0;  // clock ticks per second
    virtual void Dispatch(int32_t code) = 0;
    virtual void PollInput() = 0;

    // What decides the rest of what is due, asked before every wait.
    virtual bool NotePanelShown() = 0;  // the note panel is read only while shown
    virtual bool PollWanted() = 0;      // some hotkey can match
    // Overlays stand over a game window they must follow by looking (Wine's
    // top-level overlays): only then is the game looked at (TaskFollowGame).
    virtual bool FollowingGame() { return false; }
    // The first clock value after `now` at which the timer's or the song
    // panel's face changes; nothing while it cannot change.
    virtual std::optional<int64_t> TimerFaceChange(int64_t now) = 0;
    virtual std::optional<int64_t> SheetFaceChange(int64_t now) = 0;

protected:
    ~WorkerHost() = default;
};

// How often the hotkeys are polled while some hotkey can match.
constexpr double kHotkeyPollSeconds = 0.15;
// The longest wait: shutdown never depends on it (it wakes the worker), but
// a clock that jumps or a missed wake costs at most this.
constexpr uint32_t kLongestWaitMs = 1000;

// When the hotkeys are next polled: every period while wanted, never
// catching up on polls missed (a held key would otherwise fire in a burst).
class PollPace {
public:
    // Called before each wait; a poll that becomes wanted is due one period on.
    void Want(bool wanted, int64_t now, int64_t period);
    std::optional<int64_t> Next() const { return next_; }
    // True (and the next poll scheduled) when the poll is due at `now`.
    bool Take(int64_t now, int64_t period);

private:
    std::optional<int64_t> next_;
};

// When top-level overlays next look at the game window they follow: at most
// `period` after the last look, and on any pass that comes at least half a
// period after it, so most looks ride on wakes the worker makes anyway
// (the screen reading, the repaints) instead of waking it on their own.
class LookPace {
public:
    // Called before each wait; a look that becomes wanted is due one period on.
    void Want(bool wanted, int64_t now);
    std::optional<int64_t> Next(int64_t period) const;
    // True (and the look counted as made) when a look is due or may ride on this pass.
    bool Take(int64_t now, int64_t period);

private:
    bool looking_ = false;
    int64_t last_ = 0;  // the last look, while looking_
};

// How often top-level overlays look at the game: a move, resize, minimise or
// restore is followed within about this long plus the overlay thread's move,
// inside the quarter second a player notices.
constexpr double kFollowLookSeconds = 0.15;

// A deadline and how late it may be met without anyone seeing it.
struct Deadline {
    std::optional<int64_t> at;
    int64_t slack = 0;
};

// When to wake for these deadlines: at the last of them that can still be
// met together with the earliest, so things due a few milliseconds apart
// share one wake, and none is met later than its slack allows. Nothing when
// no deadline is set.
std::optional<int64_t> SharedWake(const std::vector<Deadline>& deadlines);

// How late the periodic tasks and the repaints may run to share a wake
// (the repaints' 40 ms keep the faces within 50 ms of their seconds); the
// hotkey poll keeps its pace exactly.
constexpr double kTaskSlackSeconds = 0.05;
constexpr double kRepaintSlackSeconds = 0.04;

// Milliseconds from `now` until the earliest of `due` (0 when one is past),
// rounded up so the wait never ends before it, and at most kLongestWaitMs.
uint32_t WaitMsUntil(std::optional<int64_t> due, int64_t now, int64_t frequency);

// The earlier of two deadlines, either of which may be missing.
std::optional<int64_t> Earliest(std::optional<int64_t> a, std::optional<int64_t> b);

// Runs passes until `running` is 0; returns 0. Returns at once if it is 0 on entry.
int32_t RunWorkerLoop(TaskScheduler& tasks, const std::atomic<int32_t>& running, WorkerHost& host);

}  // namespace gkr
