// One poll of the hotkeys: the keyboard pass over the whole list (each key
// asked at most once), then the pad pass. Every record whose combination is active runs the action of its
// position in the list at once, on every poll while it stays active.
#pragma once

#include <cstdint>

#include "input/hotkey_match.h"
#include "settings/settings.h"

namespace gkr {

struct HotkeyOptions {
    bool useKey = true;  // UseKey
    bool usePad = true;  // UsePad
    AxisUse axes;        // UseX .. UseV
};

// The axis switches UseX .. UseV as they are now.
AxisUse AxesInUse(const Settings& settings);

// The devices a poll reads and where its matches go.
class HotkeyDevices : public KeyboardState {
public:
    // One reading of the first joystick; false when none answered.
    virtual bool ReadPad(PadPosition& position) = 0;
    virtual void Dispatch(int32_t action) = 0;

protected:
    ~HotkeyDevices() = default;
};

// After a failed read of the joystick the poll leaves it alone for a while:
// one poll after the first failure, twice as long after each further one, up
// to this many polls. A wireless pad that drops one report answers again at
// the poll after next. The longest rest keeps the reads of an absent joystick
// 750 ms apart at the worker's pace: under Wine a read within a second of the
// last one costs microseconds, one after a longer quiet rescans the devices
// (2 to 3 ms, as much as a capability read). A joystick pulled out is
// normally reported as a device change, which leaves it alone altogether.
constexpr int kFailedPadMaxSkippedPolls = 4;

// Whether some record has pad conditions.
bool AnyPadBinding(const AccelList& hotkeys);

// Whether a poll can match anything at all: the keyboard is in use and some
// record has keys, or the pad is in use and some record has pad conditions.
// Otherwise the worker need not poll.
bool HotkeyPollWanted(const AccelList& hotkeys, const HotkeyOptions& options);

// Whether the joystick's capabilities are worth reading now: some record uses
// the pad, or they were read before (a pad in use was plugged in or out).
// Reading them loads the system's whole joystick stack, about a megabyte
// that a player without a pad never needs.
bool PadCapsWanted(const AccelList& hotkeys, const PadState& pad);

// Keeps nothing between polls except when to ask a silent pad again.
class HotkeyPoller {
public:
    // The pad is read once per poll, and only while it is attached and some
    // record has pad conditions; a new capability read ends a wait at once.
    void Poll(const AccelList& hotkeys, const HotkeyOptions& options, const PadState& pad, HotkeyDevices& devices);

private:
    bool PadDue(const PadState& pad);

    int padPollsToSkip_ = 0;
    int padFailures_ = 0;  // failed reads in a row
    uint32_t refreshesSeen_ = 0;
};

}  // namespace gkr
