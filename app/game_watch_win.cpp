// The Win32 half of the screen reading: finds the game window, copies the
// rectangles from the display and hands what the portable readers found to
// the settings, the dispatcher and the overlays' pages.
#include "app/game_watch_win.h"

#include "app/app_core_win.h"
#include "app/auto_timer.h"
#include "app/dispatch_codes.h"
#include "app/game_window_win.h"
#include "app/health_gauge.h"
#include "app/note_panel.h"
#include "app/note_tracker.h"
#include "app/overlay_win.h"
#include "app/screen_capture_win.h"
#include "app/screen_state.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/timer_wnd_win.h"
#include "settings/settings.h"

namespace gkr {

namespace {

// Worker-thread state carried from one pass to the next.
struct WatchState {
    AutoTimer autoTimer;
    NotePanelTracker notePanel;
    CaptureBuffer buffer;
};

WatchState& State() {
    static WatchState state;
    return state;
}

// The device contexts of one pass. The pixels come from the display; the
// game's own DC only has to be obtainable, as proof the window can be drawn.
class PassDCs {
public:
    explicit PassDCs(HWND game) : game_(game) {}
    bool Ok() const { return game_.Get() != nullptr; }
    HDC Display() const { return display_.Get(); }

private:
    WindowDC game_;
    DisplayDC display_;
};

// Client point (OffsetX, OffsetY) on the screen: every capture is relative to
// it. The offsets are clamped as for the energy bar, which moves with them.
POINT CaptureOrigin(HWND game) {
    Settings& s = AppSettings();
    POINT origin{ClampOffset(s.OffsetX.load()), ClampOffset(s.OffsetY.load())};
    ClientToScreen(game, &origin);
    return origin;
}

int64_t Frequency() {
    int64_t frequency = AppCore::Instance()->frequency;
    if (frequency > 0) return frequency;
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

// A quest ended: the song effects of that quest no longer count.
void HideAndResetSongSheet() {
    FluteWnd* sheet = FluteWnd::Instance();
    ShowOverlay(sheet->Live(), false);
    sheet->Reset();
}

}  // namespace

void TaskGameWatch() {
    HWND game = FindGameWindow();
    if (!game) return;
    PassDCs dcs(game);
    if (!dcs.Ok()) return;

    Settings& settings = AppSettings();
    WatchState& state = State();
    const POINT origin = CaptureOrigin(game);
    RECT client{};
    GetClientRect(game, &client);

    const HealthGaugeReading gauge =
        ReadHealthGauge(CaptureBlock(dcs.Display(), origin, HealthStripRect(client.right), state.buffer));
    const bool autoTimer = settings.UseAutoTimer.load() != 0;
    // The game's window, gauge and all, is up a moment before the overlays
    // are created inside it: the quest phase is followed only once the timer
    // exists, so a quest under way when the game or this program starts
    // still starts the timer.
    const bool timerExists = TimerWnd::Instance()->Exists();
    if (gauge.present) {
        settings.MaxHealth = gauge.maxHealth;
        if (timerExists &&
            state.autoTimer.OnPass(true, autoTimer, PerformanceCount(), Frequency()) == AutoTimerAction::Start)
            AppCore::Instance()->Dispatch(dispatch::ActionTimerStart);
    } else {
        if (timerExists &&
            state.autoTimer.OnPass(false, autoTimer, PerformanceCount(), Frequency()) == AutoTimerAction::Stop) {
            AppCore::Instance()->Dispatch(dispatch::ActionTimerStop);
            HideAndResetSongSheet();
        }
        settings.MaxHealth = kNoMaxHealth;
    }
    EnergyDlg::Instance()->Sync(false);

    const PixelBlock column = CaptureBlock(dcs.Display(), origin, kMarkerColumnRect, state.buffer);
    SetNotePanelVisible(IsNotePanelVisible(column, gauge.maxHealth) ? 1 : 0);
    FluteDlg::Instance()->Sync(false);
}

void TaskNotePanel() {
    WatchState& state = State();
    if (NotePanelVisible() == 0) {
        state.notePanel.OnPanelHidden();
        return;
    }
    HWND game = FindGameWindow();
    if (!game) return;
    PassDCs dcs(game);
    if (!dcs.Ok()) return;

    const PixelBlock panel = CaptureBlock(dcs.Display(), CaptureOrigin(game), kNotePanelRect, state.buffer);
    const NotePanelUpdate update = state.notePanel.OnReading(ReadNoteSlots(panel));
    if (update.notesChanged) FluteWnd::Instance()->OnNotes(update.notes.data());
    if (update.learned) {
        Settings& settings = AppSettings();
        settings.UpNote = update.instrument.up;
        settings.DownNote = update.instrument.down;
        settings.SideNote = update.instrument.side;
        FluteDlg::Instance()->Sync(false);
    }
}

}  // namespace gkr
