// The Win32 half of the screen reading: finds the game window, copies the
// rectangles from the display and posts what the portable readers found to
// the user-interface thread, which stores it and shows it.
#include "app/game_watch_win.h"

#include <atomic>
#include <memory>
#include <optional>

#include "app/framework/clock_win.h"
#include "app/framework/mail_messages.h"
#include "app/framework/mailbox_win.h"
#include "app/framework/singleton.h"
#include "app/game/game_window_win.h"
#include "app/screen/health_gauge.h"
#include "app/screen/note_panel.h"
#include "app/screen/note_tracker.h"
#include "app/screen/screen_capture_win.h"
#include "app/screen/watch_plan.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/overlay_follow.h"
#include "overlays/overlay_geometry.h"
#include "overlays/timer_wnd_win.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// What the passes carry from one to the next, the capture objects included
// (made once, not on every pass): written by the worker alone, apart from the
// count of follow jobs run, which the overlay thread alone counts.
class GameWatch : public Singleton<GameWatch> {
public:
    // The readings of one game window say nothing about another (a second
    // client, or the game started again): the note reading starts afresh.
    void Watching(HWND game) {
        if (game == game_) return;
        game_ = game;
        notePanel = NotePanelTracker{};
    }

    // Everything learned from earlier passes goes, and what was posted of it;
    // the kept captures stay (they hold no reading).
    void Reset() {
        game_ = nullptr;
        autoTimer = AutoTimer{};
        notePanel = NotePanelTracker{};
        followLook = FollowLook{};
        notePanelSeen = false;
        instrument.reset();
        postedMaxHealth_.reset();
        postedNotePanel_.reset();
        postedInstrument_.reset();
    }

    // The user-interface thread learns a value only when it changed since the
    // last one it was handed; a post that fails is tried again next pass.
    void PostMaxHealth(int32_t maxHealth) {
        PostChange(postedMaxHealth_, maxHealth, kMailMaxHealth, static_cast<WPARAM>(static_cast<INT_PTR>(maxHealth)));
    }
    void PostNotePanel() { PostChange(postedNotePanel_, notePanelSeen, kMailNotePanel, notePanelSeen ? 1 : 0); }
    void PostInstrument() {
        if (!instrument) return;
        const uint32_t word = PackInstrument(*instrument);
        PostChange(postedInstrument_, word, kMailInstrument, word);
    }

    HDC Display() {
        if (!display_ || !display_->Get()) display_ = std::make_unique<DisplayDC>();
        return display_->Get();
    }

    // One follow job at a time: it reads the frame afresh when it runs.
    bool ClaimFollowJob() {
        if (followJobsPosted_ != followJobsRun_.load()) return false;
        ++followJobsPosted_;
        return true;
    }
    void FollowJobRefused() { --followJobsPosted_; }
    void FollowJobStarted() { followJobsRun_.fetch_add(1); }  // on the overlay thread

    AutoTimer autoTimer;
    NotePanelTracker notePanel;
    FollowLook followLook;
    bool notePanelSeen = false;                // at the last game-watch pass
    std::optional<InstrumentNotes> instrument;  // the last one learned
    KeptCapture strip, column, panel;
    CaptureBuffer stripPixels, columnPixels, panelPixels;

private:
    friend class Singleton<GameWatch>;
    GameWatch() = default;

    template <class T>
    static void PostChange(std::optional<T>& posted, T value, UINT message, WPARAM wParam) {
        if (posted != value && PostMail(message, wParam)) posted = value;
    }

    HWND game_ = nullptr;
    std::unique_ptr<DisplayDC> display_;
    std::optional<int32_t> postedMaxHealth_;
    std::optional<bool> postedNotePanel_;
    std::optional<uint32_t> postedInstrument_;
    uint32_t followJobsPosted_ = 0;
    std::atomic<uint32_t> followJobsRun_{0};
};

// Top-level overlays cut the examined pixels out of themselves where the
// game was when they were placed; after a move, until they follow, they may
// cover the pixels the reading is about to examine: no reading then.
bool OverlaysClearOf(HWND game, POINT clientOrigin) {
    if (ActiveOverlayMode() != OverlayMode::TopLevel || game != FollowedGameWindow()) return true;
    // Without an overlay nothing follows the game, and nothing covers it.
    if (!TimerWnd::Instance().Exists() && !EnergyWnd::Instance().Exists() && !FluteWnd::Instance().Exists())
        return true;
    const GameFrame placed = PlacedGameFrame();
    return !placed.shown || (clientOrigin.x == placed.originX && clientOrigin.y == placed.originY);
}

// The game window to read (the one holding the overlays while it exists,
// else the lookup's) and the screen point of its client point (OffsetX,
// OffsetY), to which every capture is relative (the offsets clamped as for
// the energy bar, which moves with them); nullptr when there is none or the
// overlays have not yet followed it. The held window is asked for its origin
// straight away, a question that fails once it is gone: a separate "is it
// still a window?" would be one more Wine server round trip on each of the
// three readings a second. (Asking the game's window for a DC would tell the
// same at the cost of seven.)
HWND GameToRead(POINT& origin) {
    const Settings& s = Settings::Instance();
    const POINT offset{ClampOffset(s.OffsetX.load()), ClampOffset(s.OffsetY.load())};
    const auto originOf = [&origin, offset](HWND game) {
        origin = offset;
        return game && ClientToScreen(game, &origin);
    };
    HWND game = FollowedGameWindow();
    if (!originOf(game)) {
        game = OverlayGameWindow();
        if (!originOf(game)) return nullptr;
    }
    return OverlaysClearOf(game, POINT{origin.x - offset.x, origin.y - offset.y}) ? game : nullptr;
}

}  // namespace

void ResetGameWatch() { GameWatch::Instance().Reset(); }

bool WorkerSeesNotePanel() { return GameWatch::Instance().notePanelSeen; }

void TaskFollowGame(void (*readSoon)()) {
    if (ActiveOverlayMode() != OverlayMode::TopLevel) return;
    HWND game = FollowedGameWindow();
    if (!game) return;
    RECT r = {};
    const bool exists = GetWindowRect(game, &r) != FALSE;
    const GameFrame placed = PlacedGameFrame();
    GameWatch& watch = GameWatch::Instance();
    if (!watch.followLook.NeedsFullLook(reinterpret_cast<uintptr_t>(game), exists, {r.left, r.top, r.right, r.bottom},
                                        !placed.overlaysOnTop))
        return;
    if (PlanFollow(placed, ReadGameFrame(game)).Nothing()) return;
    if (!watch.ClaimFollowJob()) return;
    const bool posted = OverlayThread::Instance().Post([game, readSoon] {
        GameWatch::Instance().FollowJobStarted();
        const GameFrame before = PlacedGameFrame();
        FollowGameNow(game, ReadGameFrame(game));
        // The reading skipped while the overlays lagged behind (under a window
        // manager, a whole drag): read the new place now, not up to a second on.
        if (OverlaysAtANewPlace(before, PlacedGameFrame())) readSoon();
    });
    // A refused job never runs: its claim goes, or the overlays would never follow again.
    if (!posted) watch.FollowJobRefused();
}

void TaskGameWatch() {
    POINT origin;
    HWND game = GameToRead(origin);
    if (!game) return;

    Settings& settings = Settings::Instance();
    GameWatch& state = GameWatch::Instance();
    state.Watching(game);
    RECT client{};
    GetClientRect(game, &client);

    WatchInputs in;
    in.strip = state.strip.Capture(state.Display(), origin, HealthStripRect(client.right), state.stripPixels);
    in.column = state.column.Capture(state.Display(), origin, kMarkerColumnRect, state.columnPixels);
    in.autoTimer = settings.UseAutoTimer.load() != 0;
    in.timerExists = TimerWnd::Instance().Exists();
    in.now = PerformanceCount();
    in.frequency = PerformanceFrequency();
    const WatchPlan plan = PlanWatchPass(in, state.autoTimer);

    if (plan.timer != AutoTimerAction::None || plan.hideAndResetSheet)
        PostMail(kMailQuest, static_cast<WPARAM>(plan.timer), plan.hideAndResetSheet ? 1 : 0);
    state.PostMaxHealth(plan.maxHealth);
    state.notePanelSeen = plan.notePanelVisible != 0;
    state.PostNotePanel();
}

void TaskNotePanel() {
    GameWatch& state = GameWatch::Instance();
    if (!state.notePanelSeen) {
        state.notePanel.OnPanelHidden();
        return;
    }
    POINT origin;
    HWND game = GameToRead(origin);
    if (!game) return;
    state.Watching(game);

    const PixelBlock panel = state.panel.Capture(state.Display(), origin, kNotePanelRect, state.panelPixels);
    const NotePanelUpdate update = state.notePanel.OnReading(ReadNoteSlots(panel));
    if (update.notesChanged) PostMail(kMailNotesPlayed, PackNotes(update.notes));
    if (update.learned) state.instrument = update.instrument;
    state.PostInstrument();
}

}  // namespace gkr
