// Screen reading arrives with the game-watch work; until then both tasks do nothing.
#include "app/game_watch_win.h"

namespace gkr {

void TaskGameWatch() {}
void TaskNotePanel() {}

}  // namespace gkr
