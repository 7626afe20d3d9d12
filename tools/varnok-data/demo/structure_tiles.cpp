// Painters of built surfaces: floors, walls and roofs of the settlements and the
// underworld.
#include "rng.h"
#include "tile_catalog.h"

namespace {

Rng tileRng(const TileRecipe &recipe) {
    return makeRng(5000 + recipe.number * 17);
}

void paintFlags(Canvas &tile, uint8_t stone, uint8_t joint, int size) {
    fillRect(tile, 0, 0, 16, 16, stone);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int shift = ((y / size) % 2) * (size / 2);
            if (y % size == size - 1 || (x + shift) % size == size - 1) {
                plot(tile, x, y, joint);
            }
        }
    }
}

void paintPlanks(Canvas &tile, uint8_t wood, uint8_t gap, uint8_t grain) {
    fillRect(tile, 0, 0, 16, 16, wood);
    for (int y = 3; y < 16; y += 4) {
        drawLine(tile, 0, y, 15, y, gap);
    }
    for (int band = 0; band < 4; ++band) {
        int x = (band * 7 + 3) % 16;
        plot(tile, x, band * 4 + 1, grain);
        plot(tile, (x + 8) % 16, band * 4, grain);
        plot(tile, (x + 5) % 16, band * 4 + 2, gap);
    }
}

void paintCobbles(Canvas &tile, uint8_t stone, uint8_t joint, uint8_t light) {
    fillRect(tile, 0, 0, 16, 16, joint);
    for (int y = 0; y < 16; y += 4) {
        int shift = (y / 4) % 2 ? 2 : 0;
        for (int x = -4; x < 16; x += 4) {
            fillRect(tile, x + shift, y, 3, 3, stone);
            plot(tile, x + shift, y, light);
        }
    }
}

void paintCarpet(Canvas &tile, uint8_t field, uint8_t border, uint8_t motif) {
    fillRect(tile, 0, 0, 16, 16, field);
    for (int i = 0; i < 16; ++i) {
        plot(tile, i, 0, border);
        plot(tile, i, 15, border);
    }
    for (int k = 0; k < 4; ++k) {
        plot(tile, 7 - k, 4 + k, motif);
        plot(tile, 8 + k, 4 + k, motif);
        plot(tile, 7 - k, 11 - k, motif);
        plot(tile, 8 + k, 11 - k, motif);
    }
}

} // namespace

void paintFloor(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    switch (recipe.variant) {
    case 1:
        paintPlanks(tile, recipe.a, recipe.b, recipe.c);
        break;
    case 2:
        paintCobbles(tile, recipe.a, recipe.b, recipe.c);
        break;
    case 3:
        paintCarpet(tile, recipe.a, recipe.b, recipe.c);
        break;
    case 4: // chequered tiles
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                plot(tile, x, y, ((x / 4) + (y / 4)) % 2 ? recipe.a : recipe.b);
            }
        }
        break;
    case 5: // veined stone
        fillRect(tile, 0, 0, 16, 16, recipe.a);
        for (int k = 0; k < 3; ++k) {
            int x = randomBelow(rng, 16);
            for (int y = 0; y < 16; ++y) {
                x += randomBelow(rng, 3) - 1;
                plot(tile, x, y, recipe.b);
            }
        }
        break;
    default: // flagstones, with a few cracks and specks
        paintFlags(tile, recipe.a, recipe.b, 8);
        for (int k = 0; k < 6; ++k) {
            plot(tile, randomBelow(rng, 16), randomBelow(rng, 16), recipe.c);
        }
        break;
    }
}

void paintWall(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    switch (recipe.variant) {
    case 1: // bricks
        paintFlags(tile, recipe.a, recipe.b, 4);
        for (int k = 0; k < 5; ++k) {
            plot(tile, randomBelow(rng, 16), randomBelow(rng, 16), recipe.c);
        }
        break;
    case 2: // timber frame: plaster between dark beams
        fillRect(tile, 0, 0, 16, 16, recipe.a);
        fillRect(tile, 0, 0, 16, 2, recipe.b);
        fillRect(tile, 0, 14, 16, 2, recipe.b);
        fillRect(tile, 0, 0, 2, 16, recipe.b);
        drawLine(tile, 2, 13, 13, 2, recipe.b);
        drawLine(tile, 3, 13, 14, 2, recipe.b);
        break;
    case 3: // raw rock
        fillRect(tile, 0, 0, 16, 16, recipe.a);
        for (int k = 0; k < 9; ++k) {
            int x = randomBelow(rng, 14), y = randomBelow(rng, 14);
            fillRect(tile, x, y, 2 + randomBelow(rng, 3), 2, recipe.b);
            plot(tile, x, y, recipe.c);
        }
        break;
    case 4: // battlements: merlons on top of a wall
        paintFlags(tile, recipe.a, recipe.b, 8);
        fillRect(tile, 0, 0, 16, 5, recipe.c);
        fillRect(tile, 1, 0, 5, 4, recipe.a);
        fillRect(tile, 9, 0, 5, 4, recipe.a);
        break;
    case 5: // ruined: broken courses over grass
        fillRect(tile, 0, 0, 16, 16, darkGreen);
        for (int y = 6; y < 16; ++y) {
            int from = randomBelow(rng, 4);
            drawLine(tile, from, y, 15 - randomBelow(rng, 4), y,
                     (y % 4 == 1) ? recipe.b : recipe.a);
        }
        break;
    default: // dressed stone blocks with a lit top edge
        paintFlags(tile, recipe.a, recipe.b, 8);
        for (int x = 0; x < 16; ++x) {
            if (x % 8 != 7) {
                plot(tile, x, 0, recipe.c);
                plot(tile, x, 8, recipe.c);
            }
        }
        break;
    }
}

void paintRoof(Canvas &tile, const TileRecipe &recipe) {
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool line = recipe.variant == 1 ? ((x + y * 3) % 5 == 0) : (y % 4 == 3);
            bool joint = recipe.variant != 1 && y % 4 != 3 && (x + (y / 4) * 3) % 6 == 5;
            if (line || joint) {
                plot(tile, x, y, recipe.b);
            }
        }
    }
    if (recipe.c != recipe.a) {
        drawLine(tile, 0, 0, 15, 0, recipe.c);
    }
}
