// Loading the tile file of the colour mode into the graphics store: 256 map tiles
// with their animation classes and cuts, and 256 character sprites, all 32x32.
#pragma once

// "tiles.4" (2-bit pixels) or "tiles.16" (4-bit pixels), LZW-compressed. A file
// that cannot be used ends the program; a short one leaves blank tiles and warns.
void loadTiles4();
void loadTiles16();
