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
//   declaration claims; a UTF-8 byte-order mark is skipped.
#pragma once

#include <cstddef>
#include <string>

class TiXmlDocument;

namespace gkr {

// conf.xml is a few kilobytes; SData.xml lists perhaps a few hundred songs.
constexpr size_t kMaxDataFileBytes = 1u << 20;
// The files nest three levels; attribute counts stay below 30.
constexpr size_t kMaxXmlDepth = 32;
constexpr size_t kMaxXmlAttributes = 256;

// The file's bytes with line ends made LF; false for a missing, unreadable or
// oversized file (or a folder).
bool ReadDataFile(const std::string& path, std::string& text);

// Parses `text` into `document` (which must be empty); false when the text's
// shape is refused and the document stays empty. A malformed text still
// returns true with the part TinyXML could read.
bool ParseDataText(const std::string& text, TiXmlDocument& document);

// ReadDataFile then ParseDataText.
bool LoadDataDocument(const std::string& path, TiXmlDocument& document);

}  // namespace gkr
