// Whether the overlays are child windows inside the game's window or owned
// top-level windows placed over it. Wine never draws a child window that one
// process creates inside another process's window, so under Wine the overlays
// are top-level windows; on Windows they stay children.
#pragma once

namespace gkr {

enum class OverlayMode { Child, TopLevel };

// The environment variable that forces a mode: "child" or "top-level".
constexpr const char kOverlayModeVariable[] = "GKR_OVERLAY_MODE";

// `forced`: the variable's value (NULL when unset). Any other value counts as
// unset, so a typo never leaves the overlays unseen.
OverlayMode ChooseOverlayMode(const char* forced, bool underWine);

}  // namespace gkr
