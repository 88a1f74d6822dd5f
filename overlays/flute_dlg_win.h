// The song-sheet page of the manager dialog: the instrument's note colours,
// the flute-master skill and the list of playable songs.
#pragma once

#include <cstdint>

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
    // on screen.
    void Sync(bool fromControls);

    // What the worker posted: whether the game's note panel is on screen.
    void OnNotePanel(bool seen);
    bool NotePanelSeen() const { return notePanelSeen_; }

    FluteWnd* fluteWnd;

private:
    friend class Singleton<FluteDlg>;
    FluteDlg();

    void OnInitDialog(HWND window);
    bool SyncControls(HWND page, bool fromControls);  // true when the list must be rebuilt
    void RebuildList(HWND page);
    bool PanelWanted() const;
    void ShowPanel();       // after a rebuild
    void ShowPanelAlone();  // the visibility step every synchronisation begins with

    // Written and read by the user-interface thread alone: the note values
    // the list was built for, and the worker's last word on the note panel.
    int32_t up_ = 1, side_ = 1, down_ = 1;
    bool notePanelSeen_ = false;
};

}  // namespace gkr
