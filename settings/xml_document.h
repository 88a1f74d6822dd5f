// Reading conf.xml and SData.xml into a TinyXML document, safely.
//
// Both files are read the way TinyXML's own file loader reads them (whole,
// CR LF and lone CR turned into LF, a malformed file giving whatever part of
// the document came before the fault), with three differences that keep a
// damaged or hostile file from doing harm at start-up:
// - a file larger than kMaxDataFileBytes is not read at all;
// - a text nested deeper than kMaxXmlDepth elements, or with more than
//   kMaxXmlAttributes attributes in one tag, is not parsed at all;
// - texts are read byte for byte (TinyXML's legacy encoding) whatever a
//   declaration claims; a UTF-8 byte-order mark is skipped. The loaders
//   convert a UTF-8 file's texts afterwards (file_encoding.h).
#pragma once

#include <cstddef>
#include <string>

class TiXmlDocument;

namespace gkr {

// conf.xml is a few kilobytes, a hand-edited one with comments and a few
// hundred hotkeys a few megabytes; SData.xml lists perhaps a few hundred
// songs. The limits stop only what no real file comes near.
constexpr size_t kMaxDataFileBytes = 32u << 20;
// The files nest three levels; attribute counts stay below 30.
constexpr size_t kMaxXmlDepth = 32;
constexpr size_t kMaxXmlAttributes = 256;

enum class FileRead {
    Missing,  // no file of that name
    Read,     // read whole
    Failed,   // there, but could not be read (locked, no permission, oversized, a folder)
};

// The file's bytes with line ends made LF.
FileRead ReadDataFileAs(const std::string& path, std::string& text);
// The same, true only for FileRead::Read.
bool ReadDataFile(const std::string& path, std::string& text);

// Parses `text` into `document` (which must be empty); false when the text's
// shape is refused and the document stays empty. A malformed text still
// returns true with the part TinyXML could read.
bool ParseDataText(const std::string& text, TiXmlDocument& document);

}  // namespace gkr
