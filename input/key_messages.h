// What the key page tells the player when a click on it could not do what it
// says: the operation and the reason the backups already know, in Korean.
#pragma once

#include <string>

#include "input/key_backups.h"

namespace gkr {

enum class KeyOperation { BackUp, Restore, Delete, SetDefault };

// Empty when there is nothing to tell (the operation was done).
std::wstring KeyFailureText(KeyOperation operation, KeyResult result);

}  // namespace gkr
