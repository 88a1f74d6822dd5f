// The song-sheet overlay: a captioned panel inside the game window listing
// the songs the player's instrument can play, each with its notes and the
// time its effect still runs. Its window lives on the overlay thread.
//
// The listed songs and their effect timers (the board) are the
// user-interface thread's: it relists them for the page, and the notes played
// and a quest's end reach it as mail. Each change makes a new board, which the
// worker reads (when to repaint) and the overlay thread is handed (what to draw).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/framework/double_buffer_win.h"
#include "app/framework/scoped_win.h"
#include "app/framework/singleton.h"
#include "app/framework/window_win.h"
#include "overlays/sheet_rows.h"
#include "overlays/song_effects.h"
#include "settings/published.h"

namespace gkr {

// The listed songs, in database order, and their effect timers: one value.
struct SheetBoard {
    std::vector<const Sheet*> songs;  // into the song list, which is never freed
    SongEffects effects;
};

class FluteWnd : public Window, public Singleton<FluteWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The user-interface thread.
    // The notes now shown in the game's note panel: up to four values, then 0.
    // Starts or extends the effect of the song they are.
    void OnNotes(const int32_t notes[5]);
    // Puts every effect timer back to idle.
    void Reset();
    // The page's list of playable songs, in database order; songs that stay
    // listed keep their effect timers.
    void SetSongs(std::vector<const Sheet*> songs);
    // Hands the overlay thread the panel's showing: shown (a hidden one first
    // back at the stored position, kept inside the game's client area as it is
    // now; sized to its rows when `fit`) or hidden.
    void Present(bool shown, bool fit);
    size_t SongCount() const { return board_->songs.size(); }
    EffectFace FaceOf(size_t row) const;  // what row `row` shows now

    // The worker.
    // The repaint task: asks the panel to draw itself only when a row would
    // show another mark or another second.
    void RefreshIfChanged();
    // The first counter value after `now` at which a row's face changes;
    // nothing while no effect runs.
    std::optional<int64_t> NextFaceChange(int64_t now) const;

    // The overlay thread.
    // Creates the panel, hidden, over the game window at the stored position
    // (kept inside the client area for showing; the stored one is left as it
    // is), sized to the listed songs, replacing a window it still holds. NULL,
    // changing nothing, while the game is not running.
    HWND Create();
    // The panel's picture for a client area of width x height,
    // double-buffered onto dc. WM_PAINT and WM_PRINTCLIENT both draw through it.
    void Draw(HDC dc, int width, int height);

private:
    friend class Singleton<FluteWnd>;
    FluteWnd();

    // The user-interface thread: `board` becomes the board, published to the
    // worker and handed to the overlay thread, which then sizes the panel to
    // its rows (`refit`) or repaints it.
    void Publish(SheetBoard board, bool refit);

    // The overlay thread.
    // Sizes the window to one row per listed song (230 wide), on top.
    void FitToRows();
    // Before a hidden panel is shown: back to the stored position, kept
    // inside the game's client area as it is now.
    void PlaceForShowing();
    void StorePosition(HWND window);
    // The stored position, kept inside the game's client area when it has
    // one (`clamped` tells which).
    static POINT ShownPosition(bool* clamped);
    // The whole window, less the pixels of the game the screen reading examines.
    static void Reshape(HWND window);

    // The board: written by the user-interface thread alone, which publishes
    // each new one whole for the worker.
    std::shared_ptr<const SheetBoard> board_;
    Published<SheetBoard> published_;
    // Written and read by the worker alone: the board the faces were last
    // compared on, and the faces last asked for.
    std::shared_ptr<const SheetBoard> repaintBoard_;
    SheetRepaint repaint_;
    // Written and read by the overlay thread alone: the board it was last
    // handed, which it draws, and what it draws with.
    std::shared_ptr<const SheetBoard> drawn_;
    ScopedFont font_;
    PaintSurface surface_;
};

// Line height and glyph width of the panel's font, from its own metrics.
struct SheetFontMetrics {
    int lineHeight = 0;
    int charWidth = 0;
};
SheetFontMetrics SheetMetrics();


}  // namespace gkr
