#include "settings/settings.h"

namespace gkr {

// Never destroyed, like the dialog and overlay objects: the manager dialog
// outlives WinMain on the close-box path, and nothing it might still do while
// the process ends may reach a destroyed record.
Settings& Settings::Instance() {
    static Settings* const settings = new Settings();
    return *settings;
}

}  // namespace gkr
