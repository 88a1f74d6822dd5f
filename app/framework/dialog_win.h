// Base of every dialog: created modeless from its own template as a page or
// top-level window, or run modally.
#pragma once

#include "app/framework/window_win.h"

namespace gkr {

class Dialog : public Window {
public:
    // Destroys a window the object still holds, then creates the dialog
    // modeless under parent (NULL for a top-level dialog). Returns the new
    // handle, NULL if creation failed; the object never holds two windows.
    HWND Create(HWND parent);

    // Runs the dialog modally; returns the value it passes to EndDialog.
    INT_PTR RunModal(HWND parent);

protected:
    explicit Dialog(int templateId) : templateId_(templateId) {}

    // What every page does with a message it has no handler for: accepts
    // WM_INITDIALOG and forgets its handle when its window is gone, so a later
    // Create never touches a handle that Windows may have reused.
    INT_PTR DefaultPageMessage(HWND window, UINT message);
    ~Dialog() = default;

private:
    int templateId_;
};

}  // namespace gkr
