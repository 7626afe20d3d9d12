// Painters of the outdoor ground: water, lava, textured ground, forest, hills,
// mountains, shores, roads, fields and single trees.
#include <cmath>

#include "rng.h"
#include "tile_catalog.h"

namespace {

// Plots with wrap-around, so that flowing tiles join seamlessly with themselves
// when the map view shifts them down and with their neighbours on every side.
void plotWrapped(Canvas &tile, int x, int y, uint8_t colour) {
    plot(tile, (x % 16 + 16) % 16, (y % 16 + 16) % 16, colour);
}

Rng tileRng(const TileRecipe &recipe) {
    return makeRng(1000 + recipe.number * 31 + recipe.variant);
}

// Whether (x, y) of a 16x16 tile lies in the land part of a shore of this cut
// mode: the part the engine keeps, the diagonal included.
bool shoreLand(int mode, int x, int y) {
    switch (mode) {
    case 1:
        return x + y >= 15;
    case 2:
        return x <= y;
    case 3:
        return x + y <= 15;
    default:
        return x >= y;
    }
}

} // namespace

void paintWater(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    // Short curved wave crests, staggered so the pattern has no straight seams.
    int waves = 5 + recipe.variant;
    for (int k = 0; k < waves; ++k) {
        int x = randomBelow(rng, 16);
        int y = (k * 16) / waves + randomBelow(rng, 2);
        int length = 3 + randomBelow(rng, 3);
        for (int i = 0; i < length; ++i) {
            int lift = (i == 0 || i == length - 1) ? 1 : 0;
            plotWrapped(tile, x + i, y + lift, recipe.b);
        }
        if (recipe.c != recipe.a) {
            plotWrapped(tile, x + length / 2, y - 1, recipe.c);
        }
    }
}

void paintLava(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    fillRect(tile, 0, 0, 16, 16, darkRed);
    // Glowing streaks that run with the flow, wrapped at the edges.
    for (int k = 0; k < 7; ++k) {
        int x = randomBelow(rng, 16);
        int y = randomBelow(rng, 16);
        int length = 3 + randomBelow(rng, 4);
        for (int i = 0; i < length; ++i) {
            plotWrapped(tile, x + (i % 3 == 2 ? 1 : 0), y + i, i == length / 2 ? yellow : red);
        }
    }
    for (int k = 0; k < 6; ++k) {
        plotWrapped(tile, randomBelow(rng, 16), randomBelow(rng, 16), black);
    }
}

void paintSpeckled(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    int specks = recipe.variant > 0 ? recipe.variant : 20;
    for (int k = 0; k < specks; ++k) {
        int x = randomBelow(rng, 16);
        int y = randomBelow(rng, 16);
        plot(tile, x, y, (k % 3 == 2) ? recipe.c : recipe.b);
    }
}

void paintForest(Canvas &tile, const TileRecipe &recipe) {
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    // Four rounded crowns in a staggered pattern, each with a lit upper left.
    const int centres[5][2] = {{4, 4}, {12, 3}, {8, 9}, {3, 13}, {13, 12}};
    for (const auto &centre : centres) {
        fillDisc(tile, centre[0], centre[1], 3.2, recipe.b);
        plot(tile, centre[0] - 1, centre[1] - 1, recipe.c);
        plot(tile, centre[0], centre[1] - 2, recipe.c);
        plot(tile, centre[0], centre[1] + 3, brown);
    }
}

void paintHills(Canvas &tile, const TileRecipe &recipe) {
    paintSpeckled(tile, recipe);
    // Two humps, each a light arc over a shaded flank.
    const int humps[2][3] = {{5, 8, 5}, {11, 13, 4}};
    for (const auto &hump : humps) {
        int cx = hump[0], base = hump[1], r = hump[2];
        for (int x = -r; x <= r; ++x) {
            int top = base - (int)std::round(std::sqrt((double)(r * r - x * x)) * 0.7);
            plot(tile, cx + x, top, recipe.c);
            for (int y = top + 1; y <= base; ++y) {
                plot(tile, cx + x, y, x > 0 ? recipe.b : recipe.a);
            }
        }
    }
}

void paintMountains(Canvas &tile, const TileRecipe &recipe) {
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    // Two peaks: a dark face on the right, a lit face on the left, snow on top.
    const int peaks[2][3] = {{5, 2, 14}, {11, 5, 15}};
    for (const auto &peak : peaks) {
        int cx = peak[0], top = peak[1], base = peak[2];
        for (int y = top; y <= base; ++y) {
            int half = (y - top) * 6 / (base - top + 1) + 1;
            for (int x = cx - half; x <= cx + half; ++x) {
                uint8_t colour = x <= cx ? recipe.b : darkGrey;
                if (y < top + 3) {
                    colour = recipe.c;
                }
                plot(tile, x, y, colour);
            }
        }
    }
}

void paintShore(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    int mode = recipe.variant;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint8_t colour = cyan; // the water part is cut away by the engine
            if (shoreLand(mode, x, y)) {
                colour = randomBelow(rng, 7) == 0 ? recipe.b : recipe.a;
            }
            plot(tile, x, y, colour);
        }
    }
    // A line of foam and wet sand along the water's edge.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool edge = shoreLand(mode, x, y) &&
                        (!shoreLand(mode, x - 1, y) || !shoreLand(mode, x + 1, y) ||
                         !shoreLand(mode, x, y - 1) || !shoreLand(mode, x, y + 1));
            if (edge) {
                plot(tile, x, y, recipe.c);
            }
        }
    }
}

void paintRoad(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    if (recipe.variant == 1) {
        // A bridge: planks across the tile with rails at the sides.
        for (int y = 0; y < 16; ++y) {
            for (int x = 2; x < 14; ++x) {
                plot(tile, x, y, (y % 3 == 2) ? black : recipe.b);
            }
            plot(tile, 1, y, recipe.c);
            plot(tile, 14, y, recipe.c);
        }
        return;
    }
    // Trodden earth over the whole tile but its corners, so that roads join
    // along any edge whichever way they turn.
    fillRect(tile, 0, 0, 16, 16, recipe.b);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3 - i; ++j) {
            plot(tile, i, j, recipe.a);
            plot(tile, 15 - i, j, recipe.a);
            plot(tile, i, 15 - j, recipe.a);
            plot(tile, 15 - i, 15 - j, recipe.a);
        }
    }
    for (int k = 0; k < 18; ++k) {
        plot(tile, randomBelow(rng, 16), randomBelow(rng, 16), recipe.c);
    }
}

void paintFurrows(Canvas &tile, const TileRecipe &recipe) {
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    for (int y = 1; y < 16; y += 3) {
        for (int x = 0; x < 16; ++x) {
            plot(tile, x, y, recipe.b);
            if ((x + y) % 4 == 0) {
                plot(tile, x, y - 1, recipe.c);
            }
        }
    }
}

void paintTree(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = tileRng(recipe);
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    for (int k = 0; k < 10; ++k) {
        plot(tile, randomBelow(rng, 16), randomBelow(rng, 16), green);
    }
    switch (recipe.variant) {
    case 1: // a pine: stacked triangles
        for (int y = 1; y < 13; ++y) {
            int half = (y % 4) + y / 4;
            drawLine(tile, 8 - half, y, 8 + half, y, recipe.b);
        }
        fillRect(tile, 7, 13, 2, 3, recipe.c);
        break;
    case 2: // a palm: curved trunk and fronds
        drawLine(tile, 9, 15, 7, 6, recipe.c);
        drawLine(tile, 7, 5, 2, 7, recipe.b);
        drawLine(tile, 7, 5, 13, 7, recipe.b);
        drawLine(tile, 7, 5, 4, 2, recipe.b);
        drawLine(tile, 7, 5, 11, 2, recipe.b);
        break;
    case 3: // a dead tree: bare branches
        drawLine(tile, 8, 15, 8, 4, recipe.c);
        drawLine(tile, 8, 8, 4, 4, recipe.c);
        drawLine(tile, 8, 6, 12, 2, recipe.c);
        drawLine(tile, 8, 10, 12, 8, recipe.c);
        break;
    case 4: // a stump with rings
        fillEllipse(tile, 8, 10, 5, 3, recipe.c);
        fillEllipse(tile, 8, 9, 4, 2, yellow);
        plot(tile, 8, 9, brown);
        break;
    default: // a broad leafy crown
        fillRect(tile, 7, 10, 2, 6, recipe.c);
        fillDisc(tile, 8, 6, 5.5, recipe.b);
        fillDisc(tile, 6, 4, 2, green);
        plot(tile, 10, 8, black);
        plot(tile, 5, 8, black);
        break;
    }
}
