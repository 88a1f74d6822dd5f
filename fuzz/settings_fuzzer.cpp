// conf.xml loader: any bytes load without a crash, the measured shape bounds
// TinyXML's, and whatever was loaded saves and reloads to the same file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_xml_checks.h"
#include "settings/settings_file.h"

namespace {

void StartValues(gkr::Settings& s) {
    s.UseKey = 1;
    s.UsePad = 1;
    s.DefaultKey = -1;
    s.TimerSize = 100;
    s.MaxHealth = 10;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > gkr::kMaxDataFileBytes) return 0;
    const gkr::DigitGrouping grouping =
        size % 2 ? gkr::DigitGrouping::Thousands(',') : gkr::DigitGrouping::None();
    const std::string text(reinterpret_cast<const char*>(data), size);

    TiXmlDocument document;
    if (!gkr::fuzz::ParseChecked(text, document)) return 0;
    gkr::Settings loaded;
    StartValues(loaded);
    gkr::ReadSettingsDocument(loaded, document, grouping);

    // Saving what was loaded and loading it again changes nothing.
    const std::string saved = gkr::PrintSettings(loaded, grouping);
    TiXmlDocument again;
    if (!gkr::fuzz::ParseChecked(saved, again)) std::abort();
    gkr::Settings reloaded;
    gkr::ReadSettingsDocument(reloaded, again, grouping);
    if (gkr::PrintSettings(reloaded, grouping) != saved) std::abort();
    if (reloaded.accels.Size() != loaded.accels.Size()) std::abort();
    return 0;
}
