#include "input/hotkey_poll.h"

#include <algorithm>
#include <bitset>

namespace gkr {

namespace {

// Each key is asked once per poll: a long hand-edited list binds the same few
// keys over and over, and every question is a call into the system.
class KeysOfOnePoll final : public KeyboardState {
public:
    explicit KeysOfOnePoll(KeyboardState& keyboard) : keyboard_(keyboard) {}

    bool IsDown(uint32_t code) override {
        if (code >= kKeyCodes) return keyboard_.IsDown(code);  // not a virtual key; asked as it comes
        if (!asked_[code]) {
            asked_[code] = true;
            down_[code] = keyboard_.IsDown(code);
        }
        return down_[code];
    }

private:
    static constexpr uint32_t kKeyCodes = 256;
    KeyboardState& keyboard_;
    std::bitset<kKeyCodes> asked_, down_;
};

}  // namespace

AxisUse AxesInUse(const Settings& s) {
    return AxisUse{s.UseX.load() != 0, s.UseY.load() != 0, s.UseZ.load() != 0,
                   s.UseR.load() != 0, s.UseU.load() != 0, s.UseV.load() != 0};
}

bool AnyPadBinding(const AccelList& hotkeys) {
    for (const Accel& a : hotkeys)
        if (!a.pads.empty()) return true;
    return false;
}

bool HotkeyPollWanted(const AccelList& hotkeys, const HotkeyOptions& options) {
    for (const Accel& a : hotkeys)
        if ((options.useKey && !a.keys.empty()) || (options.usePad && !a.pads.empty())) return true;
    return false;
}

bool PadCapsWanted(const AccelList& hotkeys, const PadState& pad) {
    return pad.refreshes > 0 || AnyPadBinding(hotkeys);
}

void HotkeyPoller::Poll(const AccelList& hotkeys, const HotkeyOptions& options, const PadState& pad,
                        HotkeyDevices& devices) {
    if (options.useKey) {
        KeysOfOnePoll keyboard(devices);
        for (size_t p = 0; p < hotkeys.size(); ++p)
            if (KeyCombinationActive(hotkeys[p].keys, keyboard)) devices.Dispatch(static_cast<int32_t>(p));
    }

    // Nothing bound to the pad: nothing to ask it.
    if (!options.usePad || !AnyPadBinding(hotkeys) || !PadDue(pad)) return;
    PadPosition position;
    if (!devices.ReadPad(position)) {
        // No pad, or it was pulled out: no reading means no input at all,
        // never a stick pushed to zero or a hat pointing up.
        padPollsToSkip_ = std::min(1 << std::min(padFailures_, 30), kFailedPadMaxSkippedPolls);
        padFailures_ = std::min(padFailures_ + 1, 30);
        return;
    }
    padFailures_ = 0;
    const PadContext context{pad.caps, pad.thresholds, options.axes};
    for (size_t p = 0; p < hotkeys.size(); ++p)
        if (PadCombinationActive(hotkeys[p].pads, position, context)) devices.Dispatch(static_cast<int32_t>(p));
}

bool HotkeyPoller::PadDue(const PadState& pad) {
    if (pad.refreshes != refreshesSeen_) {
        refreshesSeen_ = pad.refreshes;
        padPollsToSkip_ = 0;
        padFailures_ = 0;
    }
    if (!pad.attached) return false;
    if (padPollsToSkip_ == 0) return true;
    --padPollsToSkip_;
    return false;
}

}  // namespace gkr
