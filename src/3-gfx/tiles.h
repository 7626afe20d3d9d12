// Loading the tile file of the colour mode into the graphics store: 256 map tiles
// with their animation classes and cuts, and 256 character sprites, all 32x32.
#pragma once

#include "4-data/load_failure.h"

// "tiles.4" (2-bit pixels) or "tiles.16" (4-bit pixels), LZW-compressed. False,
// with failure set, for a file that cannot be used (its surfaces made so far are
// freed and the counts set to 0); a short one leaves blank tiles and warns.
bool loadTiles4(LoadFailure &failure);
bool loadTiles16(LoadFailure &failure);
