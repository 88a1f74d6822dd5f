// What the program told the player during the Windows tests: the message box
// is replaced for the whole test program, since no one is there to click it.
#pragma once

#include <string>
#include <vector>

namespace gkr::testing {

// Cleared by each test that looks at it.
std::vector<std::wstring>& PlayerMessages();

}  // namespace gkr::testing
