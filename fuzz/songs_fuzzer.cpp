// SData.xml loader: any bytes load without a crash, and every loaded sheet
// that could be played (at most four notes, none of them 0) is found again by
// its notes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_xml_checks.h"
#include "settings/song_sheets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > gkr::kMaxDataFileBytes) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    TiXmlDocument document;
    if (!gkr::fuzz::ParseChecked(text, document)) return 0;

    gkr::SongSheets sheets;
    sheets.Read(document, size % 2 ? gkr::DigitGrouping::Thousands(',') : gkr::DigitGrouping::None());
    sheets.ComputeKeys();
    const auto list = sheets.Snapshot();
    for (const gkr::Sheet& sheet : *list) {
        if (sheet.NoteVal != gkr::NoteKey(sheet.notes)) std::abort();
        std::vector<int32_t> query = sheet.notes;
        bool hasZero = false;
        for (int32_t note : query) hasZero = hasZero || note == 0;
        if (hasZero || query.size() > gkr::SongSheets::kMaxPlayedNotes) continue;
        query.push_back(0);
        const gkr::Sheet* found = sheets.FindSheetByNotes(query.data());
        if (!found || found->notes != sheet.notes || found < &sheet) std::abort();
    }
    return 0;
}
