// The encoding of a data file's texts. The program stores texts as code page
// 949 bytes (text_convert.h) and writes its files so; an editor may have saved
// one as UTF-8 instead, whose texts are then converted as they are read.
#pragma once

#include <optional>
#include <string>

#include "settings/text_convert.h"

namespace gkr {

enum class FileEncoding { Cp949, Utf8 };

// UTF-8 when the bytes are valid UTF-8 and say so (a byte-order mark, an XML
// declaration with encoding="UTF-8"), or hold a multi-byte sequence and do not
// convert from code page 949; otherwise code page 949.
FileEncoding DecideFileEncoding(const std::string& text, const Cp949Conversions& cp949);

// A file's texts as the program stores them.
class FileTexts {
public:
    // Code page 949: every text as its bytes, as the file has always been read.
    FileTexts() = default;
    // The encoding DecideFileEncoding gives the whole file's text.
    FileTexts(const std::string& text, const Cp949Conversions& cp949);

    bool FromUtf8() const { return encoding_ == FileEncoding::Utf8; }

    // The stored form of a text of the file; nothing for one that code page
    // 949 cannot hold (or not UTF-8 after all), which is then not taken.
    std::optional<std::string> Stored(const std::string& text) const;

private:
    FileEncoding encoding_ = FileEncoding::Cp949;
    std::string (*toNarrow_)(const std::wstring&) = nullptr;
};

}  // namespace gkr
