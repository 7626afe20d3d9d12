// The 256 map tiles of the demo world: each tile's name and the painter that
// draws it in 16 colours. Map builders place tiles by the numbers of tile_numbers.h.
#pragma once

#include <cstdint>

#include "canvas.h"

struct TileRecipe;
typedef void (*TilePainter)(Canvas &tile, const TileRecipe &recipe);

struct TileRecipe {
    int number;
    const char *name; // as the Look command prints it
    TilePainter paint;
    uint8_t a; // colours and a variant, as each painter reads them
    uint8_t b;
    uint8_t c;
    int variant;
};

// The recipe of map tile `number` (0-255).
const TileRecipe &mapTileRecipe(int number);

// Draws map tile `number` into a fresh 16x16 canvas.
Canvas paintMapTile(int number);

// Painters shared between the catalog files (see the .cpp files of each group).
void paintWater(Canvas &tile, const TileRecipe &recipe);
void paintLava(Canvas &tile, const TileRecipe &recipe);
void paintSpeckled(Canvas &tile, const TileRecipe &recipe);
void paintForest(Canvas &tile, const TileRecipe &recipe);
void paintHills(Canvas &tile, const TileRecipe &recipe);
void paintMountains(Canvas &tile, const TileRecipe &recipe);
void paintShore(Canvas &tile, const TileRecipe &recipe);
void paintRoad(Canvas &tile, const TileRecipe &recipe);
void paintFurrows(Canvas &tile, const TileRecipe &recipe);
void paintTree(Canvas &tile, const TileRecipe &recipe);
void paintFloor(Canvas &tile, const TileRecipe &recipe);
void paintWall(Canvas &tile, const TileRecipe &recipe);
void paintRoof(Canvas &tile, const TileRecipe &recipe);
void paintObject(Canvas &tile, const TileRecipe &recipe);
void paintIcon(Canvas &tile, const TileRecipe &recipe);
void paintAnimated(Canvas &tile, const TileRecipe &recipe);
void paintWaterObject(Canvas &tile, const TileRecipe &recipe);
void paintWaterMask(Canvas &tile, const TileRecipe &recipe);
