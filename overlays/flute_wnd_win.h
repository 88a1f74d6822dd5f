// The song-sheet overlay: a captioned panel inside the game window listing
// the songs the player's instrument can play, each with its notes and the
// time its effect still runs. Its window lives on the overlay thread.
//
// The listed songs and their effect timers are used by the worker (notes
// played, the repaint check), the user-interface thread (the page rebuilds
// the list) and the overlay thread (painting). One lock guards them; it is
// held only to copy in and out, never across a window call or a send.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "app/framework/double_buffer_win.h"
#include "app/framework/scoped_win.h"
#include "app/framework/singleton.h"
#include "app/framework/window_win.h"
#include "overlays/sheet_rows.h"
#include "overlays/song_effects.h"

namespace gkr {

class FluteWnd : public Window, public Singleton<FluteWnd> {
public:
    Procedure DialogProc() override;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The notes now shown in the game's note panel: up to four values, then 0.
    // Starts or extends the effect of the song they are.
    void OnNotes(const int32_t notes[5]);
    // Puts every effect timer back to idle.
    void Reset();
    // The page's list of playable songs, in database order; songs that stay
    // listed keep their effect timers.
    void SetSongs(std::vector<const Sheet*> songs);
    // Sizes the window to one row per listed song (230 wide), on top.
    void FitToRows();
    // The repaint task: asks the panel to draw itself only when a row would
    // show another mark or another second.
    void RefreshIfChanged();
    // The first counter value after `now` at which a row's face changes;
    // nothing while no effect runs.
    std::optional<int64_t> NextFaceChange(int64_t now) const;
    // Creates the panel, hidden, over the game window at the stored position
    // (kept inside the client area for showing; the stored one is left as it
    // is), sized to the listed songs, replacing a window it still holds. NULL,
    // changing nothing, while the game is not running.
    HWND Create();
    // Before a hidden panel is shown: back to the stored position, kept
    // inside the game's client area as it is now.
    void PlaceForShowing();

    // The panel's picture for a client area of width x height,
    // double-buffered onto dc. WM_PAINT and WM_PRINTCLIENT both draw through it.
    void Draw(HDC dc, int width, int height);

    size_t SongCount() const;
    EffectFace FaceOf(size_t row) const;  // what row `row` shows now

private:
    friend class Singleton<FluteWnd>;
    FluteWnd();

    std::vector<EffectFace> FacesNow() const;  // under lock_
    void StorePosition(HWND window);
    // The stored position, kept inside the game's client area when it has
    // one (`clamped` tells which).
    static POINT ShownPosition(bool* clamped);
    // The whole window, less the pixels of the game the screen reading examines.
    static void Reshape(HWND window);

    mutable std::mutex lock_;
    std::vector<const Sheet*> songs_;  // into the song list, which is never freed
    SongEffects effects_;
    SheetRepaint repaint_;
    ScopedFont font_;        // the painting thread's only
    PaintSurface surface_;   // likewise
};

// Line height and glyph width of the panel's font, from its own metrics.
struct SheetFontMetrics {
    int lineHeight = 0;
    int charWidth = 0;
};
SheetFontMetrics SheetMetrics();


}  // namespace gkr
