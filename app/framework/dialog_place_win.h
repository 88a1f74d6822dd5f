// Keeps a dialog or message box of ours in sight under Wine (see dialog_place.h).
#pragma once

#include <windows.h>

namespace gkr {

// Moves `dialog` out across an edge of the visible window of ours it lies
// wholly inside, under Wine only: on Windows it stays where it opened.
void KeepDialogInSight(HWND dialog);

// KeepDialogInSight for the next window this thread activates (a message box
// about to open); the hook goes once it has run or when the scope ends.
class DialogInSightHook {
public:
    DialogInSightHook();
    ~DialogInSightHook();
    DialogInSightHook(const DialogInSightHook&) = delete;
    DialogInSightHook& operator=(const DialogInSightHook&) = delete;

private:
    bool installed_ = false;
};

}  // namespace gkr
