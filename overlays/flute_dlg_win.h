// The song-sheet page of the manager dialog: the instrument's note colours,
// the flute-master skill and the list of playable songs.
#pragma once

#include <cstdint>
#include <optional>
#include <tuple>

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "overlays/flute_wnd_win.h"

namespace gkr {

class FluteDlg : public Dialog, public Singleton<FluteDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back; when the note colours or the switch changed, rebuilds the list
    // of playable songs. Shows the panel only while the game's note panel is
    // on screen. Called from the worker too: the page's part then runs on the
    // page's thread, waiting a second at most.
    void Sync(bool fromControls);

    FluteWnd* fluteWnd;

private:
    friend class Singleton<FluteDlg>;
    FluteDlg();

    void OnInitDialog(HWND window);
    bool SyncControls(HWND page, bool fromControls);  // true when the list must be rebuilt
    void RebuildList(HWND page);
    void ShowPanel();       // after a rebuild
    void ShowPanelAlone();  // the visibility step every synchronisation begins with

    // What the worker's last synchronisation was made from (worker only).
    using WorkerSyncKey = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, HWND, HWND>;
    std::optional<WorkerSyncKey> workerSynced_;

    // The note values the list was built for.
    int32_t up_ = 1, side_ = 1, down_ = 1;
};

}  // namespace gkr
