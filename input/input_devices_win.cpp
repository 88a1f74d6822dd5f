#include "input/input_devices_win.h"

#include <windows.h>
#include <mmsystem.h>

namespace gkr {

static_assert(sizeof(JOYINFOEX) == 52, "joyGetPosEx is given the 52-byte record");

bool KeyIsDown(uint32_t code) { return (GetAsyncKeyState(static_cast<int>(code)) & 0x8000) != 0; }

KeyQuery QueryAllKeys() {
    KeyQuery query{};
    for (size_t code = 0; code < query.size(); ++code)
        query[code] = static_cast<uint16_t>(GetAsyncKeyState(static_cast<int>(code)));
    return query;
}

bool ReadFirstPad(PadPosition& position) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    if (joyGetPosEx(JOYSTICKID1, &info) != JOYERR_NOERROR) return false;
    position.x = info.dwXpos, position.y = info.dwYpos, position.z = info.dwZpos;
    position.r = info.dwRpos, position.u = info.dwUpos, position.v = info.dwVpos;
    position.buttons = info.dwButtons;
    position.pov = info.dwPOV;
    return true;
}

}  // namespace gkr
