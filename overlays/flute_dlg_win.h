// The song-sheet page of the manager dialog: the instrument's note colours,
// the flute-master skill and the list of playable songs.
#pragma once

#include "app/dialog_win.h"
#include "app/singleton.h"
#include "overlays/flute_wnd_win.h"

namespace gkr {

class FluteDlg : public Dialog, public Singleton<FluteDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves values between the page's controls and the settings (fromControls)
    // or back. Does nothing while the page does not exist.
    void Sync(bool fromControls);

    FluteWnd* fluteWnd;

private:
    friend class Singleton<FluteDlg>;
    FluteDlg();
};

}  // namespace gkr
