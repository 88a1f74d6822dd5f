#include "app/screen/screen_state.h"

#include <atomic>

namespace gkr {

namespace {
std::atomic<int32_t> g_notePanelVisible{0};
}

int32_t NotePanelVisible() { return g_notePanelVisible.load(); }
void SetNotePanelVisible(int32_t visible) { g_notePanelVisible.store(visible); }

}  // namespace gkr
