// What the screen reading learned that other threads read: whether the note
// panel was on screen at the last game-watch pass. Written by the worker,
// read by the song-sheet page on the user-interface thread.
#pragma once

#include <cstdint>

namespace gkr {

int32_t NotePanelVisible();  // 1 or 0
void SetNotePanelVisible(int32_t visible);

}  // namespace gkr
