// The two periodic tasks that read the game's screen: the health gauge and the
// note-panel marker once a second, the notes in the note panel twice a second.
#pragma once

namespace gkr {

void TaskGameWatch();  // dispatch code -10
void TaskNotePanel();  // dispatch code -11

}  // namespace gkr
