#include "settings/settings.h"

namespace gkr {

Settings& AppSettings() {
    static Settings settings;
    return settings;
}

}  // namespace gkr
