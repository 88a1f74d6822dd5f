#include "input/input_devices_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/framework/system_library_win.h"

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
    // WinMM and the input stack behind it load with the first pad reading.
    using JoyGetPosExFn = MMRESULT(WINAPI*)(UINT, LPJOYINFOEX);
    static const auto joyGetPosExBound = SystemFunction<JoyGetPosExFn>(L"winmm.dll", "joyGetPosEx");
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    if (!joyGetPosExBound || joyGetPosExBound(JOYSTICKID1, &info) != JOYERR_NOERROR) return false;
    position.x = info.dwXpos, position.y = info.dwYpos, position.z = info.dwZpos;
    position.r = info.dwRpos, position.u = info.dwUpos, position.v = info.dwVpos;
    position.buttons = info.dwButtons;
    position.pov = info.dwPOV;
    return true;
}

}  // namespace gkr
