#include "input/hotkey_match.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/hotkey_poll.h"

namespace gkr {
namespace {

// A pad with the range 0..65535 on all six axes, a hat and twelve buttons.
PadContext FullPad() {
    PadContext c;
    c.caps.wXmax = c.caps.wYmax = c.caps.wZmax = c.caps.wRmax = c.caps.wUmax = c.caps.wVmax = 65535;
    c.caps.wCaps = kPadHasZ | kPadHasR | kPadHasU | kPadHasV | kPadHasPov;
    c.caps.wMaxButtons = 12;
    c.thresholds = ComputeAxisThresholds(c.caps);
    return c;
}

// X at x, the other axes centred.
PadPosition At(uint32_t x, uint32_t pov = 65535, uint32_t buttons = 0) {
    PadPosition p;
    p.x = x, p.y = p.z = p.r = p.u = p.v = 32767;
    p.pov = pov, p.buttons = buttons;
    return p;
}

bool Met(int32_t code, const PadPosition& p, const PadContext& c = FullPad()) { return PadCodeSatisfied(code, p, c); }

TEST(PadConditions, InclusiveThresholdsExactHatDirectionsAndWrappedButtons) {
    EXPECT_TRUE(Met(-1, At(16383)));
    EXPECT_FALSE(Met(-1, At(16384)));
    EXPECT_TRUE(Met(-2, At(49151)));
    EXPECT_FALSE(Met(-2, At(49150)));
    EXPECT_TRUE(Met(-10, At(32767, 0)));
    EXPECT_TRUE(Met(-11, At(32767, 27000)));
    for (uint32_t pov : {4500u, 65535u})  // diagonal, centred
        for (int32_t code = -12; code <= -9; ++code) EXPECT_FALSE(Met(code, At(32767, pov))) << pov << " " << code;
    EXPECT_TRUE(Met(33, At(32767, 65535, 0x1)));  // button 1, like code 1
    EXPECT_FALSE(Met(2, At(32767, 65535, 0x1)));
    for (int32_t code : {0, 37, -17}) EXPECT_FALSE(Met(code, At(0, 0, ~0u))) << code;
}

TEST(PadConditions, MissingCapabilitySwitchedOffAxisOrNoRangeNeverMatches) {
    PadContext lacking = FullPad();
    lacking.caps.wCaps &= ~(kPadHasZ | kPadHasPov);  // UseZ stays on
    PadPosition p = At(0, 0);
    p.z = 0;
    EXPECT_FALSE(Met(-5, p, lacking));
    EXPECT_FALSE(Met(-10, p, lacking));
    lacking.use.x = false;
    EXPECT_FALSE(Met(-1, p, lacking));
    // Capabilities never read: every range is 0..0, and no position is a push.
    for (int32_t code : {-1, -2, -3, -4}) EXPECT_FALSE(Met(code, PadPosition{}, PadContext{})) << code;
    EXPECT_FALSE(Met(-2, At(40000), PadContext{}));
}

// Devices that log every key asked, every pad read and every action run.
class LoggedDevices final : public HotkeyDevices {
public:
    std::vector<uint32_t> down;
    bool padAnswers = true;
    PadPosition pad = At(32767);
    std::vector<std::string> log;

    bool IsDown(uint32_t code) override {
        log.push_back("key " + std::to_string(code));
        for (uint32_t d : down)
            if (d == code) return true;
        return false;
    }
    bool ReadPad(PadPosition& position) override {
        log.push_back("pad");
        if (padAnswers) position = pad;
        return padAnswers;
    }
    void Dispatch(int32_t action) override { log.push_back("run " + std::to_string(action)); }
};

Accel Bound(std::vector<uint32_t> keys, std::vector<int32_t> pads = {}) {
    Accel a;
    a.keys = std::move(keys);
    a.pads = std::move(pads);
    return a;
}

const PadState kAttached{FullPad().caps, FullPad().thresholds, true, 1};

using Log = std::vector<std::string>;

TEST(HotkeyPoll, KeysAreAskedUntilTheFirstOneUpOncePerPollAndEachMatchRunsAtOnce) {
    // Ctrl, Ctrl + X, unbound, Ctrl + Q + X (Q up), X + Ctrl, Q + Ctrl.
    const AccelList hotkeys = {Bound({17}), Bound({17, 88}), Bound({}), Bound({17, 81, 88}), Bound({88, 17}),
                               Bound({81, 17})};
    LoggedDevices devices;
    devices.down = {17, 88};
    HotkeyPoller poller;
    poller.Poll(hotkeys, HotkeyOptions{}, kAttached, devices);
    EXPECT_EQ((Log{"key 17", "run 0", "key 88", "run 1", "key 81", "run 4"}),
              devices.log);  // nothing bound to the pad: it is not read
    // The next poll asks again: a key held is seen at every poll, one let go at the next.
    devices.down = {88};
    devices.log.clear();
    poller.Poll(hotkeys, HotkeyOptions{}, kAttached, devices);
    EXPECT_EQ((Log{"key 17", "key 88", "key 81"}), devices.log);

    // A long list asks each key once per poll however often it is bound.
    const AccelList many(10000, Bound({17, 88}));
    devices.down = {17, 88};
    devices.log.clear();
    poller.Poll(many, HotkeyOptions{}, kAttached, devices);
    EXPECT_EQ(2 + many.size(), devices.log.size());
}

TEST(HotkeyPoll, BothPassesRunTheirMatchesAndEachSwitchStopsOnlyItsOwn) {
    const AccelList hotkeys = {Bound({}, {-10}), Bound({65}, {1, -2}), Bound({66})};
    LoggedDevices devices;
    devices.down = {65, 66};
    devices.pad = At(65535, 65535, 0x1);
    HotkeyOptions options;
    HotkeyPoller().Poll(hotkeys, options, kAttached, devices);
    EXPECT_EQ((Log{"key 65", "run 1", "key 66", "run 2", "pad", "run 1"}), devices.log);

    options.useKey = false;
    devices.log.clear();
    HotkeyPoller().Poll(hotkeys, options, kAttached, devices);
    EXPECT_EQ((Log{"pad", "run 1"}), devices.log);

    options.useKey = true, options.usePad = false;
    devices.log.clear();
    HotkeyPoller().Poll(hotkeys, options, kAttached, devices);
    EXPECT_EQ((Log{"key 65", "run 1", "key 66", "run 2"}), devices.log);
}

TEST(HotkeyPoll, WithoutAPadNothingFiresAndThePadIsAskedOnlyWhenItMayBeThere) {
    // Bindings that a cleared reading (sticks at 0, hat "up") would satisfy.
    const AccelList hotkeys = {Bound({}, {-10}), Bound({}, {-1}), Bound({}, {-3, -10})};
    LoggedDevices devices;
    devices.padAnswers = false;
    PadState pad = kAttached;
    HotkeyPoller poller;
    poller.Poll(hotkeys, HotkeyOptions{}, pad, devices);
    EXPECT_EQ(Log{"pad"}, devices.log);

    // A pad that stays silent is asked at polls 1, 3, 6, 11, then every
    // fifth: each rest twice the last, never more than four polls.
    std::vector<int> asked = {1};
    for (int p = 2; p <= 50; ++p) {
        const size_t before = devices.log.size();
        poller.Poll(hotkeys, HotkeyOptions{}, pad, devices);
        if (devices.log.size() > before) asked.push_back(p);
    }
    EXPECT_EQ((std::vector<int>{1, 3, 6, 11, 16, 21, 26, 31, 36, 41, 46}), asked);

    // The capability read found no joystick: it is not asked at all.
    pad.attached = false, ++pad.refreshes;
    devices.log.clear();
    for (int i = 0; i < 100; ++i) poller.Poll(hotkeys, HotkeyOptions{}, pad, devices);
    EXPECT_TRUE(devices.log.empty());

    // Plugged in: the next capability read ends any wait at once.
    pad.attached = true, ++pad.refreshes;
    devices.padAnswers = true;
    devices.pad = At(32767, 0);
    poller.Poll(hotkeys, HotkeyOptions{}, pad, devices);
    EXPECT_EQ((Log{"pad", "run 0"}), devices.log);
}

// A wireless pad that drops one report is back at the poll after next, not
// half a minute later; and one good reading forgets the failures before it.
TEST(HotkeyPoll, APadThatMissesAReportIsReadAgainAtOnce) {
    const AccelList hotkeys = {Bound({}, {1})};  // button 1
    LoggedDevices devices;
    devices.pad = At(32767, 65535, 0x1);
    HotkeyPoller poller;
    const auto poll = [&](bool answers) {
        devices.padAnswers = answers;
        devices.log.clear();
        poller.Poll(hotkeys, HotkeyOptions{}, kAttached, devices);
        return devices.log;
    };
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(Log{"pad"}, poll(false));  // the dropped report
        EXPECT_EQ(Log{}, poll(true));         // one poll of rest
        EXPECT_EQ((Log{"pad", "run 0"}), poll(true));
        EXPECT_EQ((Log{"pad", "run 0"}), poll(true));
    }
}

TEST(HotkeyPoll, ThePollIsWantedOnlyWhenABoundDeviceIsInUse) {
    HotkeyOptions both, keysOff, padOff, neither;
    keysOff.useKey = false, padOff.usePad = false, neither.useKey = neither.usePad = false;
    const AccelList nothing(8, Bound({})), keys{Bound({}), Bound({65})}, pads{Bound({}, {1}), Bound({})};
    for (const HotkeyOptions& o : {both, keysOff, padOff, neither}) {
        EXPECT_FALSE(HotkeyPollWanted(nothing, o));
        EXPECT_FALSE(HotkeyPollWanted(AccelList{}, o));
    }
    EXPECT_TRUE(HotkeyPollWanted(keys, both));
    EXPECT_TRUE(HotkeyPollWanted(keys, padOff));
    EXPECT_FALSE(HotkeyPollWanted(keys, keysOff));
    EXPECT_TRUE(HotkeyPollWanted(pads, keysOff));
    EXPECT_FALSE(HotkeyPollWanted(pads, padOff));
    EXPECT_FALSE(HotkeyPollWanted(keys, neither));
}

}  // namespace
TEST(HotkeyPoll, PadCapabilitiesAreReadOnlyOnceThePadIsUsed) {
    const AccelList keysOnly{Bound({65}), Bound({})};
    EXPECT_FALSE(PadCapsWanted(keysOnly, PadState{}));
    EXPECT_FALSE(PadCapsWanted(AccelList{}, PadState{}));
    EXPECT_TRUE(PadCapsWanted(AccelList{Bound({65}), Bound({}, {1})}, PadState{}));  // button 1
    PadState readBefore;  // a capture read them, found a pad or not
    readBefore.refreshes = 1;
    EXPECT_TRUE(PadCapsWanted(keysOnly, readBefore));
}

}  // namespace gkr
