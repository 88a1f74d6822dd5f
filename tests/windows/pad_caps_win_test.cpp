#include "input/pad_caps_win.h"

#include <gtest/gtest.h>

namespace gkr {
namespace {

TEST(PadCapsWin, TakesEachAxisFromItsOwnFields) {
    JOYCAPSW j{};
    j.wXmin = 1, j.wXmax = 2, j.wYmin = 3, j.wYmax = 4, j.wZmin = 5, j.wZmax = 6;
    j.wRmin = 7, j.wRmax = 8, j.wUmin = 9, j.wUmax = 10, j.wVmin = 11, j.wVmax = 12;
    j.wCaps = JOYCAPS_HASZ | JOYCAPS_HASPOV;
    j.wMaxButtons = 32;
    j.wNumButtons = 99;  // not the field the capture counts buttons with
    const PadCaps c = ToPadCaps(j);
    const uint32_t got[] = {c.wXmin, c.wXmax, c.wYmin, c.wYmax, c.wZmin, c.wZmax,
                            c.wRmin, c.wRmax, c.wUmin, c.wUmax, c.wVmin, c.wVmax};
    for (uint32_t i = 0; i < 12; ++i) EXPECT_EQ(i + 1, got[i]);
    EXPECT_EQ(kPadHasZ | kPadHasPov, c.wCaps);
    EXPECT_EQ(32u, c.wMaxButtons);
}

// No joystick under the test machine's Wine: the failed read keeps what an
// earlier read stored instead of zeroing it.
TEST(PadCapsWin, FailedReadKeepsThePreviousRecord) {
    JOYCAPSW probe{};
    if (joyGetDevCapsW(0, &probe, sizeof probe) == JOYERR_NOERROR) GTEST_SKIP() << "a joystick is attached";
    PadCaps earlier;
    earlier.wXmax = 65535;
    earlier.wCaps = kPadHasR;
    StorePadCaps(earlier);
    RefreshPadCaps();
    EXPECT_FALSE(CurrentPadState().attached);
    EXPECT_EQ(65535u, CurrentPadCaps().wXmax);
    EXPECT_EQ(kPadHasR, CurrentPadCaps().wCaps);
    EXPECT_EQ(49151u, CurrentAxisThresholds().x.high);
    StorePadCaps(PadCaps{});
}

}  // namespace
}  // namespace gkr
