// The game world behind the display: sky, mountains with the keep, hills,
// the road, trees and the player's raider.
#pragma once

#include "dummy/image.h"

namespace dummy {

void DrawWorld(Canvas& canvas);

// The raider alone, standing with the feet at (footX, footY).
void DrawRaider(Canvas& canvas, int footX, int footY);
// The raider's helmeted head centred on (cx, cy), `scale` in percent of its
// size in the world; the portrait shows it enlarged.
void DrawRaiderHead(Canvas& canvas, int cx, int cy, int scale);

}  // namespace dummy
