// conf.xml: the settings record as an XML file.
//
//   <Setting UseKey=".." ... OffsetY="..">     the 29 options, in record order
//       <Accel Name=".." Num="..">              one per hotkey, in list order
//           <Key Code=".." />                   its key codes, then
//           <Pad Button=".." />                 its pad codes
//       </Accel>
//       <KeyConfig Name=".." Index=".." />      one per saved key configuration
//   </Setting>
//
// Names are stored as their bytes (code page 949). Element and attribute
// names are matched exactly; anything else in the file is skipped and not
// written back. Numbers use the locale's digit grouping (see number_text.h).
#pragma once

#include <string>

#include "settings/number_text.h"
#include "settings/settings.h"

class TiXmlDocument;

namespace gkr {

// Fills the record from the first top-level "Setting" element: each option
// whose attribute parses, and both lists, rebuilt whole. Without a "Setting"
// element nothing changes. The new hotkey list is published in one step.
void ReadSettingsDocument(Settings& settings, const TiXmlDocument& document, const DigitGrouping& grouping);

// How much of conf.xml a load took in.
enum class SettingsLoad {
    NoFile,   // none there: the start values stand
    Whole,    // read and understood from end to end
    NotWhole  // there, but not read whole: locked, unreadable, oversized, not
              // well formed, in another encoding, without a Setting element, or
              // with a number that could not be read (out of range, malformed)
};

// ReadSettingsDocument on the file at `path`. A missing, unreadable, oversized
// or malformed file changes nothing beyond what could be read from it.
SettingsLoad LoadSettingsFile(Settings& settings, const std::string& path, const DigitGrouping& grouping);

// The whole record as the file's text: TinyXML's standard printer, four
// blanks of indentation, LF line ends, no declaration.
std::string PrintSettings(const Settings& settings, const DigitGrouping& grouping);

// LF line ends turned into CR LF, as a file written in text mode on Windows.
std::string ToCrLf(const std::string& text);

}  // namespace gkr
