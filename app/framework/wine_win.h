// Whether this process runs under Wine, where a few things of the window
// system behave otherwise (other processes' child windows, black dialogs).
#pragma once

namespace gkr {

bool RunningUnderWine();

}  // namespace gkr
