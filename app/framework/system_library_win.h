// Functions of system libraries that only some features need, bound on first
// use. A library costs memory in every process that loads it (the shell
// brings COM with it, the joystick calls the whole input stack), so the
// program loads one only once a feature asks, and only from the system folder.
#pragma once

#include <windows.h>

namespace gkr {

// A function of a loaded module as its own type, or nullptr when the module
// or the name is missing.
template <class Function>
Function ModuleFunction(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The function, or nullptr when the library or the name is missing. The
// library stays loaded for the life of the process.
template <class Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return ModuleFunction<Function>(LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), name);
}

}  // namespace gkr
