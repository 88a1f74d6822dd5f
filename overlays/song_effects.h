// The effects of the flute songs the player plays: which song a played note
// sequence is, and how long its effect still runs. A first play runs Time1
// seconds; a repeat while it runs adds Time2 up to TimeMax; the flute-master
// skill makes every duration half as long again.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "settings/song_sheets.h"

namespace gkr {

enum EffectState : int32_t { kEffectIdle = 0, kEffectFirstPlay = 1, kEffectRepeated = 2 };

struct EffectTimer {
    int32_t state = kEffectIdle;
    int64_t start = 0;      // counter value of the last play
    double duration = 0.0;  // seconds from start
};

// What a row shows of an effect: its mark and the whole seconds left.
struct EffectFace {
    int32_t state = kEffectIdle;
    int64_t secondsLeft = 0;
    bool operator==(const EffectFace& o) const { return state == o.state && secondsLeft == o.secondsLeft; }
    bool operator!=(const EffectFace& o) const { return !(*this == o); }
};

// The song the note panel shows, or nullptr. The panel shows the notes most
// recent first (up to four, then 0): they are read in playing order, and the
// longest ending that is a song wins. Three or four equal notes are the
// game's idle tune, never a song.
const Sheet* FindPlayedSong(const SongSheets& sheets, const int32_t notes[5]);

// The songs the instrument can play: every note one of its three, and an
// effect to show. Database order.
std::vector<const Sheet*> PlayableSongs(const SheetList& sheets, int32_t up, int32_t side, int32_t down);

class SongEffects {
public:
    // Every timer idle, one for each listed song.
    void Reset(const std::vector<const Sheet*>& listed);
    // The listed songs changed: songs that stay keep their timers, new ones
    // start idle, the others are dropped.
    void Relist(const std::vector<const Sheet*>& listed);

    // A play of `song` at counter value `now`.
    void OnPlay(const Sheet& song, int64_t now, int64_t frequency, bool fluteMaster);

    // What the song's row shows at `now`. An effect with less than a whole
    // second left shows as idle.
    EffectFace Face(uint32_t noteVal, int64_t now, int64_t frequency) const;

    const EffectTimer* Find(uint32_t noteVal) const;

    // The first counter value after `now` at which some row's face changes
    // (a second less, or idle), or nothing while no effect runs.
    std::optional<int64_t> NextFaceChange(int64_t now, int64_t frequency) const;

private:
    std::map<uint32_t, EffectTimer> timers_;
};

}  // namespace gkr
