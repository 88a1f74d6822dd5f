#include "settings/song_sheets.h"

#include <algorithm>

#include <tinyxml.h>

#include "settings/file_encoding.h"
#include "settings/xml_document.h"

namespace gkr {

namespace {

bool IsElement(const TiXmlNode& node, const char* name) {
    return node.Type() == TiXmlNode::TINYXML_ELEMENT && node.ValueStr() == name;
}

class SheetReader {
public:
    SheetReader(const DigitGrouping& grouping, const FileTexts& texts) : grouping_(grouping), texts_(texts) {}

    // False once a number or an effect name was there but could not be read.
    bool EverythingRead() const { return !unreadValue_; }

    void ReadSheet(const TiXmlElement& element, Sheet& sheet) const {
        ReadText(element, "Effect1", sheet.Effect1);
        ReadText(element, "Effect2", sheet.Effect2);
        ReadNumber(element, "Time1", sheet.Time1);
        ReadNumber(element, "Time2", sheet.Time2);
        ReadNumber(element, "TimeMax", sheet.TimeMax);
        int32_t key = static_cast<int32_t>(sheet.NoteVal);
        ReadNumber(element, "NoteVal", key);
        sheet.NoteVal = static_cast<uint32_t>(key);
        sheet.notes.clear();
        for (const TiXmlNode* child = element.FirstChild(); child; child = child->NextSibling()) {
            if (!IsElement(*child, "Note")) continue;
            // A Note without a usable Value still holds its place, as note 0.
            int32_t value = 0;
            ReadNumber(*child->ToElement(), "Value", value);
            sheet.notes.push_back(value);
        }
    }

private:
    void ReadNumber(const TiXmlElement& element, const char* name, int32_t& target) const {
        if (const std::string* text = element.Attribute(std::string(name)))
            if (!ParseInt(*text, grouping_, target)) unreadValue_ = true;
    }
    // Converted as conf.xml's names are (settings_file.h).
    void ReadText(const TiXmlElement& element, const char* name, std::string& target) const {
        const std::string* text = element.Attribute(std::string(name));
        if (!text) return;
        if (std::optional<std::string> stored = texts_.Stored(*text)) target = std::move(*stored);
        else unreadValue_ = true;
    }

    const DigitGrouping& grouping_;
    const FileTexts& texts_;
    mutable bool unreadValue_ = false;
};

bool StartsAsUtf16(const std::string& text) {
    if (text.size() < 2) return false;
    const unsigned char a = static_cast<unsigned char>(text[0]), b = static_cast<unsigned char>(text[1]);
    return (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF);
}

}  // namespace

const char* SongsLoadNote(SongsLoad result) {
    switch (result) {
    case SongsLoad::NoFile:
        return "GKRTimer: no SData.xml in the current folder; no songs are listed.\n";
    case SongsLoad::Whole:
        return nullptr;
    case SongsLoad::Utf16:
        return "GKRTimer: SData.xml is saved as UTF-16 and was not read; no songs are listed. "
               "Save it as ANSI (code page 949).\n";
    case SongsLoad::NotWhole:
        break;
    }
    return "GKRTimer: SData.xml could not be read whole (unreadable, damaged, no Song element or a number "
           "out of range); only what could be read is listed.\n";
}

uint32_t NoteKey(const std::vector<int32_t>& notes) {
    uint32_t key = 0;
    for (int32_t note : notes) key = key * 8u + static_cast<uint32_t>(note);
    return key;
}

SongSheets::SongSheets() = default;

SongsLoad SongSheets::Load(const std::string& path, const DigitGrouping& grouping, const Cp949Conversions& cp949) {
    std::string text;
    switch (ReadDataFileAs(path, text)) {
    case FileRead::Missing:
        return SongsLoad::NoFile;
    case FileRead::Failed:
        return SongsLoad::NotWhole;
    case FileRead::Read:
        break;
    }
    // Read as bytes, a UTF-16 file holds no element at all.
    if (StartsAsUtf16(text)) return SongsLoad::Utf16;
    TiXmlDocument document;
    if (!ParseDataText(text, document)) return SongsLoad::NotWhole;
    const bool whole = Read(document, grouping, FileTexts(text, cp949));
    return whole && !document.Error() ? SongsLoad::Whole : SongsLoad::NotWhole;
}

bool SongSheets::Read(const TiXmlDocument& document, const DigitGrouping& grouping, const FileTexts& texts) {
    for (const TiXmlNode* node = document.FirstChild(); node; node = node->NextSibling()) {
        if (!IsElement(*node, "Song")) continue;
        const SheetReader reader(grouping, texts);
        SheetList list;
        for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
            if (!IsElement(*child, "Sheet")) continue;
            list.emplace_back();
            reader.ReadSheet(*child->ToElement(), list.back());
        }
        Publish(std::move(list));
        return reader.EverythingRead();
    }
    return false;
}

void SongSheets::ComputeKeys() {
    SheetList list = *Snapshot();
    for (Sheet& sheet : list) sheet.NoteVal = NoteKey(sheet.notes);
    Publish(std::move(list));
}

std::shared_ptr<const SheetList> SongSheets::Snapshot() const { return list_.Snapshot(); }

const Sheet* SongSheets::FindSheetByNotes(const int32_t* notes) const {
    if (!notes) return nullptr;
    size_t count = 0;
    while (count < kMaxPlayedNotes && notes[count] != 0) ++count;
    const std::shared_ptr<const SheetList> list = Snapshot();
    for (auto it = list->rbegin(); it != list->rend(); ++it) {
        if (it->notes.size() == count && std::equal(it->notes.begin(), it->notes.end(), notes)) return &*it;
    }
    return nullptr;
}

void SongSheets::Publish(SheetList list) {
    retired_.push_back(list_.Publish(std::move(list)));
}

}  // namespace gkr
