// The animation task: it advances the frame counter the map view scrolls by,
// steps the cycling tiles of the current map and the console cursor.
#pragma once

#include <cstdint>

// The animation task's action (period tickInterval): advances animationFrame,
// steps the cycling tiles and the console cursor.
void animationTick(int32_t argument);

// Steps the shown tile of every cell of the current map by its tile's class:
// cycleNext +1, cycleBack3 -3, cycleBack1 -1 (8-bit); other classes stay.
void cycleAnimatedTiles();
