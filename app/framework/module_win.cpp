#include "app/framework/module_win.h"

namespace gkr {

namespace {
// Written once by WinMain's thread before any other thread starts; read by all.
HINSTANCE g_instance = nullptr;
}  // namespace

HINSTANCE ModuleInstance() { return g_instance ? g_instance : GetModuleHandleW(nullptr); }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

}  // namespace gkr
