// The module instance handle given to WinMain. Every dialog, class
// registration and window creation of the program uses it.
#pragma once
#include <windows.h>

namespace gkr {

HINSTANCE ModuleInstance();
// At start, before any other thread exists: the handle is never written again.
void SetModuleInstance(HINSTANCE instance);

}  // namespace gkr
