#include "input/input_poll_win.h"

#include <utility>

#include "input/input_devices_win.h"
#include "settings/settings.h"

namespace gkr {

namespace {

class PlatformDevices final : public HotkeyDevices {
public:
    bool IsDown(uint32_t code) override { return KeyIsDown(code); }
    bool ReadPad(PadPosition& position) override { return ReadFirstPad(position); }
    void Dispatch(int32_t action) override { matched.push_back(action); }

    std::vector<int32_t> matched;
};

HotkeyOptions CurrentOptions(const Settings& s) {
    HotkeyOptions o;
    o.useKey = s.UseKey.load() != 0;
    o.usePad = s.UsePad.load() != 0;
    o.axes = AxesInUse(s);
    return o;
}

}  // namespace

std::vector<int32_t> InputPoll::Poll() {
    const Settings& settings = Settings::Instance();
    // One snapshot for the whole poll: a list published meanwhile by the
    // capture dialog is seen whole at the next poll.
    const auto hotkeys = settings.accels.Snapshot();
    PlatformDevices devices;
    poller_.Poll(*hotkeys, CurrentOptions(settings), CurrentPadState(), devices);
    return std::move(devices.matched);
}

bool InputPollWanted() {
    const Settings& settings = Settings::Instance();
    return HotkeyPollWanted(*settings.accels.Snapshot(), CurrentOptions(settings));
}

}  // namespace gkr
