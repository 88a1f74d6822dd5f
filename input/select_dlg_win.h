// The modal key capture dialog: records a keyboard or gamepad combination
// for one hotkey while it is open, and stores it when the user confirms.
#pragma once

#include <cstddef>

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "settings/settings.h"

namespace gkr {

enum class CaptureMode { Keys = 0, Pad = 1 };

class SelectDlg : public Dialog, public Singleton<SelectDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Starts from the record at `position` of the hotkey list: a capture
    // extends what is stored until "지우기" empties it.
    void Prepare(CaptureMode mode, size_t position, const Accel& record);
    // Runs the dialog; returns IDOK once the combination was stored, else IDCANCEL.
    INT_PTR ShowModal(HWND parent);

    // One look at the keyboard or the pad; the recorded set only grows.
    void CaptureKeys();
    void CapturePad();
    // Shows the combination of the current mode in the text box.
    void Render();

private:
    friend class Singleton<SelectDlg>;
    SelectDlg();

    void OnInitDialog(HWND window);
    void Confirm(HWND window);
    void Clear();

    CaptureMode mode_ = CaptureMode::Keys;
    size_t target_ = 0;  // position of the record in the hotkey list
    Accel working_;      // user-interface thread only
};

}  // namespace gkr
