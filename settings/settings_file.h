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
// Names are stored as their bytes (code page 949); a file saved as UTF-8 has
// them converted as it is read (file_encoding.h). Element and attribute
// names are matched exactly; anything else in the file is skipped and not
// written back. Numbers use the locale's digit grouping (see number_text.h).
#pragma once

#include <string>

#include "settings/number_text.h"
#include "settings/settings.h"
#include "settings/text_convert.h"

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
    FromUtf8, // read whole from a file saved as UTF-8, its names converted
    NotWhole  // there, but not read whole: locked, unreadable, oversized, not
              // well formed, saved as UTF-16, without a Setting element, with a
              // number that could not be read (out of range, malformed), or
              // saved as UTF-8 with a name code page 949 cannot hold
};

// Whether the file's bytes must be kept before a save replaces them: a save
// would drop what was not read, or write the names in another encoding.
inline bool KeepBeforeSave(SettingsLoad load) {
    return load == SettingsLoad::NotWhole || load == SettingsLoad::FromUtf8;
}

// ReadSettingsDocument on the file at `path`, its names converted when it is
// UTF-8; a name code page 949 cannot hold is not taken. A missing, unreadable,
// oversized or malformed file changes nothing beyond what could be read from it.
SettingsLoad LoadSettingsFile(Settings& settings, const std::string& path, const DigitGrouping& grouping,
                              const Cp949Conversions& cp949);

// The whole record as the file's text: TinyXML's standard printer, four
// blanks of indentation, LF line ends, no declaration.
std::string PrintSettings(const Settings& settings, const DigitGrouping& grouping);

// LF line ends turned into CR LF, as a file written in text mode on Windows.
std::string ToCrLf(const std::string& text);

}  // namespace gkr
