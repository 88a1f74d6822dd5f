// SData.xml: the flute songs, read once at start and only read afterwards.
//
//   <Song>
//       <Sheet Effect1=".." Effect2=".." Time1=".." Time2=".." TimeMax="..">
//           <Note Value=".." />                 one per note, in playing order
//       </Sheet>
//   </Song>
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/framework/singleton.h"
#include "settings/file_encoding.h"
#include "settings/number_text.h"
#include "settings/published.h"

class TiXmlDocument;

namespace gkr {

// One song.
struct Sheet {
    std::vector<int32_t> notes;  // note values 1..7, first note first; 0 = unreadable
    std::string Effect1;         // narrow text, code page 949; empty: never listed
    std::string Effect2;         // may be empty
    int32_t Time1 = 0;           // effect seconds on a first play
    int32_t Time2 = 0;           // seconds added by a repeat while it runs
    int32_t TimeMax = 0;         // the most that repeats may reach
    uint32_t NoteVal = 0;        // key of the effect timer, from the notes
};

using SheetList = std::vector<Sheet>;

// The notes read as the digits of an octal number, first note most
// significant, in unsigned arithmetic that wraps modulo 2^32: {1, 6, 3} -> 115.
// Unique for up to ten notes of 1..7.
uint32_t NoteKey(const std::vector<int32_t>& notes);

// How much of SData.xml a load took in.
enum class SongsLoad {
    NoFile,    // none there: no songs
    Whole,     // read and understood from end to end (a UTF-8 file's effect
               // names converted to code page 949)
    Utf16,     // saved as UTF-16 (it starts with a byte-order mark): not read,
               // as its texts must be code page 949 bytes
    NotWhole,  // there, but not read whole: unreadable, oversized, not well
               // formed, without a Song element, with a number that could
               // not be read, or with an effect name code page 949 cannot hold
};

// What a load that did not take the whole file means, as a line for a
// debugger's output; nullptr for a whole load.
const char* SongsLoadNote(SongsLoad result);

// The song list in database (file) order, written by the user-interface
// thread (the manager's start loads it). Each change publishes a new list
// whole, and lists once published are kept until the process ends: a reader
// may hold a Sheet pointer or a snapshot without a lock, on any thread.
// The process-wide list is SongSheets::Instance(); tests make lists of their own.
class SongSheets : public Singleton<SongSheets> {
public:
    SongSheets();

    // Replaces the list with the sheets of the file's first top-level "Song"
    // element. Without one (no file, a damaged or refused file, another root)
    // the list stays as it was. Says how much of the file was read.
    SongsLoad Load(const std::string& path, const DigitGrouping& grouping, const Cp949Conversions& cp949);
    // True when a "Song" element was there and every value in it was read.
    bool Read(const TiXmlDocument& document, const DigitGrouping& grouping, const FileTexts& texts = FileTexts());

    // Recomputes every sheet's NoteVal from its notes (the file's NoteVal
    // attribute is read but does not count).
    void ComputeKeys();

    std::shared_ptr<const SheetList> Snapshot() const;

    // The sheet whose notes equal `notes` exactly: the values up to the first
    // 0, at most kMaxPlayedNotes of them (the note panel has four slots, and a
    // full panel may come without a terminating 0). Of several matches, the
    // last in database order. nullptr for none.
    static constexpr size_t kMaxPlayedNotes = 4;
    const Sheet* FindSheetByNotes(const int32_t* notes) const;

private:
    void Publish(SheetList list);

    Published<SheetList> list_;
    std::vector<std::shared_ptr<const SheetList>> retired_;  // user-interface thread only
};

}  // namespace gkr
