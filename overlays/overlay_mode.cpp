#include "overlays/overlay_mode.h"

#include <cstring>

namespace gkr {

OverlayMode ChooseOverlayMode(const char* forced, bool underWine) {
    if (forced && std::strcmp(forced, "child") == 0) return OverlayMode::Child;
    if (forced && std::strcmp(forced, "top-level") == 0) return OverlayMode::TopLevel;
    return underWine ? OverlayMode::TopLevel : OverlayMode::Child;
}

}  // namespace gkr
