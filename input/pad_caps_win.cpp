#include "input/pad_caps_win.h"

#include "app/framework/system_library_win.h"
#include "input/hotkey_poll.h"
#include "settings/settings.h"

namespace gkr {

// Joystick 1 is identifier 0; the record is the wide one of 728 bytes.
static_assert(sizeof(JOYCAPSW) == 728, "joyGetDevCapsW is given the size of the wide capability record");

PadCaps ToPadCaps(const JOYCAPSW& j) {
    PadCaps c;
    c.wXmin = j.wXmin, c.wXmax = j.wXmax;
    c.wYmin = j.wYmin, c.wYmax = j.wYmax;
    c.wZmin = j.wZmin, c.wZmax = j.wZmax;
    c.wRmin = j.wRmin, c.wRmax = j.wRmax;
    c.wUmin = j.wUmin, c.wUmax = j.wUmax;
    c.wVmin = j.wVmin, c.wVmax = j.wVmax;
    c.wCaps = j.wCaps;
    c.wMaxButtons = j.wMaxButtons;
    return c;
}

void RefreshPadCaps() {
    // WinMM and the input stack behind it load with the first capability read.
    using JoyGetDevCapsFn = MMRESULT(WINAPI*)(UINT_PTR, LPJOYCAPSW, UINT);
    static const auto joyGetDevCapsBound = SystemFunction<JoyGetDevCapsFn>(L"winmm.dll", "joyGetDevCapsW");
    JOYCAPSW caps{};
    if (!joyGetDevCapsBound || joyGetDevCapsBound(0, &caps, sizeof caps) != JOYERR_NOERROR) {
        StorePadAbsent();
        return;
    }
    StorePadCaps(ToPadCaps(caps));
}

void RefreshPadCapsIfWanted() {
    if (PadCapsWanted(*Settings::Instance().accels.Snapshot(), CurrentPadState())) RefreshPadCaps();
}

}  // namespace gkr
