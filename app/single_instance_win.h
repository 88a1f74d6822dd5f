// One GKRTimer at a time: two copies would fight over conf.xml and put every
// overlay into the game twice.
#pragma once

namespace gkr {

// True when no other copy runs in this session (this one then holds the
// claim until it ends). Otherwise brings the running copy's manager dialog to
// the front, restored if it was minimised, and returns false.
bool ClaimSingleInstance();

}  // namespace gkr
