// The 256 map tiles of the demo world: each tile's name and the painter that
// draws it in 16 colours. Map builders place tiles by the numbers of tile_numbers.h.
#pragma once

#include <cstdint>

#include "canvas.h"

struct TileSpec;
typedef void (*TilePainter)(Canvas &tile, const TileSpec &spec);

struct TileSpec {
    int number;
    const char *name; // as the Look command prints it
    TilePainter paint;
    uint8_t a; // colours and a variant, as each painter reads them
    uint8_t b;
    uint8_t c;
    int variant;
};

// The spec of map tile `number` (0-255).
const TileSpec &mapTileSpec(int number);

// Draws map tile `number` into a fresh 16x16 canvas.
Canvas paintMapTile(int number);

// Painters shared between the catalog files (see the .cpp files of each group).
void paintWater(Canvas &tile, const TileSpec &spec);
void paintLava(Canvas &tile, const TileSpec &spec);
void paintSpeckled(Canvas &tile, const TileSpec &spec);
void paintForest(Canvas &tile, const TileSpec &spec);
void paintHills(Canvas &tile, const TileSpec &spec);
void paintMountains(Canvas &tile, const TileSpec &spec);
void paintShore(Canvas &tile, const TileSpec &spec);
void paintRoad(Canvas &tile, const TileSpec &spec);
void paintFurrows(Canvas &tile, const TileSpec &spec);
void paintTree(Canvas &tile, const TileSpec &spec);
void paintFloor(Canvas &tile, const TileSpec &spec);
void paintWall(Canvas &tile, const TileSpec &spec);
void paintRoof(Canvas &tile, const TileSpec &spec);
void paintObject(Canvas &tile, const TileSpec &spec);
void paintIcon(Canvas &tile, const TileSpec &spec);
void paintAnimated(Canvas &tile, const TileSpec &spec);
void paintWaterObject(Canvas &tile, const TileSpec &spec);
void paintWaterMask(Canvas &tile, const TileSpec &spec);
