// The animation state and the animation task: the frame counter the map view
// scrolls by, and the stepping of the cycling tiles of the current map.
#pragma once

#include <cstdint>

// 0-15, advanced by one on every animation tick; the map view scrolls by twice it.
extern uint16_t animationFrame;

// The animation task's action (period tickInterval): advances animationFrame,
// steps the cycling tiles and the console cursor.
void animationTick(int32_t argument);

// Steps the shown tile of every cell of the current map by its tile's class:
// cycleNext +1, cycleBack3 -3, cycleBack1 -1 (8-bit); other classes stay.
void cycleAnimatedTiles();
