#include "overlays/song_effects.h"

#include <algorithm>
#include <cmath>

namespace gkr {

namespace {

constexpr double kFluteMasterFactor = 1.5;

// Whole seconds left of `timer` at `now`: truncated toward zero and kept in
// 64 bits whatever a song file's durations are.
int64_t SecondsLeft(const EffectTimer& timer, int64_t now, int64_t frequency) {
    if (timer.state == kEffectIdle || frequency <= 0) return 0;
    const double left = timer.duration - double(now - timer.start) / double(frequency);
    if (!(left > 0)) return 0;
    return int64_t(std::min(left, 1e15));
}

bool AllEqual(const int32_t* notes, size_t count) {
    return std::all_of(notes, notes + count, [&](int32_t n) { return n == notes[0]; });
}

}  // namespace

const Sheet* FindPlayedSong(const SongSheets& sheets, const int32_t notes[5]) {
    int32_t played[SongSheets::kMaxPlayedNotes + 1] = {};
    size_t count = 0;
    while (count < SongSheets::kMaxPlayedNotes && notes[count] != 0) ++count;
    std::reverse_copy(notes, notes + count, played);
    if ((count == 3 || count == 4) && AllEqual(played, count)) return nullptr;
    for (size_t first = 0; first < count; ++first) {
        if (const Sheet* song = sheets.FindSheetByNotes(played + first)) return song;
    }
    return nullptr;
}

std::vector<const Sheet*> PlayableSongs(const SheetList& sheets, int32_t up, int32_t side, int32_t down) {
    std::vector<const Sheet*> playable;
    for (const Sheet& sheet : sheets) {
        const bool playableNotes = std::all_of(sheet.notes.begin(), sheet.notes.end(),
                                               [&](int32_t n) { return n == up || n == side || n == down; });
        if (playableNotes && !sheet.Effect1.empty()) playable.push_back(&sheet);
    }
    return playable;
}

void SongEffects::Reset(const std::vector<const Sheet*>& listed) {
    timers_.clear();
    for (const Sheet* song : listed) timers_[song->NoteVal] = EffectTimer{};
}

void SongEffects::Relist(const std::vector<const Sheet*>& listed) {
    std::map<uint32_t, EffectTimer> kept;
    for (const Sheet* song : listed) {
        auto old = timers_.find(song->NoteVal);
        kept[song->NoteVal] = old != timers_.end() ? old->second : EffectTimer{};
    }
    timers_.swap(kept);
}

void SongEffects::OnPlay(const Sheet& song, int64_t now, int64_t frequency, bool fluteMaster) {
    const double m = fluteMaster ? kFluteMasterFactor : 1.0;
    EffectTimer& timer = timers_[song.NoteVal];
    // An effect that ran out is idle, whether or not a row showed it so.
    if (timer.state != kEffectIdle && SecondsLeft(timer, now, frequency) <= 0) timer.state = kEffectIdle;
    if (timer.state == kEffectIdle) {
        timer = EffectTimer{kEffectFirstPlay, now, song.Time1 * m};
        return;
    }
    const double elapsed = double(now - timer.start) / double(frequency);
    const double left = std::max(timer.duration - elapsed, 0.0);
    timer = EffectTimer{kEffectRepeated, now, std::min(song.TimeMax * m, left + song.Time2 * m)};
}

EffectFace SongEffects::Face(uint32_t noteVal, int64_t now, int64_t frequency) const {
    const EffectTimer* timer = Find(noteVal);
    if (!timer) return EffectFace{};
    const int64_t left = SecondsLeft(*timer, now, frequency);
    return left <= 0 ? EffectFace{} : EffectFace{timer->state, left};
}

const EffectTimer* SongEffects::Find(uint32_t noteVal) const {
    auto it = timers_.find(noteVal);
    return it == timers_.end() ? nullptr : &it->second;
}

std::optional<int64_t> SongEffects::NextFaceChange(int64_t now, int64_t frequency) const {
    std::optional<int64_t> next;
    for (const auto& entry : timers_) {
        const EffectTimer& timer = entry.second;
        const int64_t shown = SecondsLeft(timer, now, frequency);
        if (shown <= 0) continue;  // idle: nothing will change until a new play
        // The face drops to shown - 1 once less than `shown` seconds are
        // left; the floating-point answer is a tick or two off at most, so
        // step to the exact first tick that shows it.
        const double until = (timer.duration - double(shown)) * double(frequency);
        int64_t at = timer.start + (until < 9e18 ? int64_t(until) : INT64_MAX / 2);
        if (at <= now) at = now + 1;
        for (int step = 0; step < 4 && SecondsLeft(timer, at, frequency) == shown; ++step) ++at;
        for (int step = 0; step < 4 && at - 1 > now && SecondsLeft(timer, at - 1, frequency) != shown; ++step) --at;
        if (!next || at < *next) next = at;
    }
    return next;
}

}  // namespace gkr
