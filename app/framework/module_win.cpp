#include "app/framework/module_win.h"

namespace gkr {

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE ModuleInstance() { return g_instance ? g_instance : GetModuleHandleW(nullptr); }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

}  // namespace gkr
