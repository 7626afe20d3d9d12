// The animation task: it advances the frame counter the map view scrolls by,
// steps the cycling tiles of the current map and the console cursor.
#pragma once

#include <cstdint>

#include "4-data/maps.h"

#include <cstdint>

struct Game;

// The animation task's action (period tickInterval), whose argument is the Game
// in play: advances its animationFrame, steps the cycling tiles and the console
// cursor.
void animationTick(intptr_t game);

// Steps the shown tile of every cell of the map by its tile's class: cycleNext
// +1, cycleBack3 -3, cycleBack1 -1 (8-bit); other classes stay.
void cycleAnimatedTiles(CurrentMapRecord &map);
