#include "app/framework/player_message_win.h"

#include <windows.h>

#include "app/framework/contract.h"
#include "app/framework/dialog_place_win.h"
#include "app/framework/seams.h"

namespace gkr {

void TellPlayer(const wchar_t* text) {
    if (const Seams::PlayerMessageBox box = Seams::Instance().tellPlayer.load()) {
        box(text);
        return;
    }
    const DialogInSightHook inSight;
    MessageBoxW(nullptr, text, kManagerTitle, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace gkr
