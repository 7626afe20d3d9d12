// Painters of the furniture, fittings and overworld places: a template or a
// simple shape drawn over a plain ground.
#include "rng.h"
#include "tile_catalog.h"
#include "tile_templates.h"

namespace {

// Generic shapes for the many small objects that need no hand-drawn picture.
enum GenericShape {
    shapeBox = 100,
    shapeRound,
    shapeTall,
    shapeFlat,
    shapeCross,
    shapeRing,
    shapeStar,
    shapeSpikes,
    shapeBars,
    shapeArch,
    shapeDots
};

void paintGround(Canvas &tile, uint8_t ground, uint8_t joint) {
    fillRect(tile, 0, 0, 16, 16, ground);
    if (joint == ground) {
        return;
    }
    for (int i = 0; i < 16; ++i) {
        plot(tile, i, 7, joint);
        plot(tile, i, 15, joint);
        plot(tile, (i < 8) ? 3 : 11, i, joint);
    }
}

void paintGenericShape(Canvas &tile, int shape, uint8_t body, uint8_t light) {
    switch (shape) {
    case shapeRound:
        fillDisc(tile, 8, 8, 5, body);
        fillDisc(tile, 6.5, 6.5, 1.5, light);
        break;
    case shapeTall:
        fillRect(tile, 5, 1, 6, 14, body);
        drawLine(tile, 6, 2, 6, 13, light);
        break;
    case shapeFlat:
        fillRect(tile, 1, 9, 14, 5, body);
        drawLine(tile, 1, 9, 14, 9, light);
        break;
    case shapeCross:
        fillRect(tile, 7, 2, 3, 13, body);
        fillRect(tile, 3, 5, 11, 3, body);
        plot(tile, 8, 3, light);
        break;
    case shapeRing:
        fillDisc(tile, 8, 8, 6, body);
        fillDisc(tile, 8, 8, 3, light);
        break;
    case shapeStar:
        drawLine(tile, 8, 1, 8, 15, body);
        drawLine(tile, 1, 8, 15, 8, body);
        drawLine(tile, 3, 3, 13, 13, body);
        drawLine(tile, 13, 3, 3, 13, body);
        fillDisc(tile, 8, 8, 2, light);
        break;
    case shapeSpikes:
        for (int x = 2; x < 15; x += 3) {
            drawLine(tile, x, 14, x + 1, 4 + (x % 4), body);
            plot(tile, x + 1, 4 + (x % 4), light);
        }
        break;
    case shapeBars:
        for (int x = 2; x < 15; x += 3) {
            fillRect(tile, x, 1, 1, 14, body);
        }
        drawLine(tile, 1, 2, 14, 2, light);
        drawLine(tile, 1, 13, 14, 13, light);
        break;
    case shapeArch:
        fillRect(tile, 2, 4, 12, 11, body);
        fillEllipse(tile, 8, 4, 6, 3, body);
        fillRect(tile, 5, 7, 6, 8, black);
        fillEllipse(tile, 8, 7, 3, 2, black);
        plot(tile, 3, 5, light);
        break;
    case shapeDots:
        for (int k = 0; k < 7; ++k) {
            fillDisc(tile, 3 + (k * 5) % 11, 3 + (k * 7) % 11, 1.5, k % 2 ? body : light);
        }
        break;
    default:
        fillRect(tile, 3, 4, 10, 9, body);
        drawLine(tile, 3, 4, 12, 4, light);
        drawLine(tile, 3, 4, 3, 12, light);
        drawLine(tile, 4, 13, 13, 13, black);
        break;
    }
}

} // namespace

void paintObject(Canvas &tile, const TileRecipe &recipe) {
    // The ground of an object is a floor in colour a, with joints in colour b.
    paintGround(tile, recipe.a, recipe.b);
    if (recipe.variant >= shapeBox) {
        paintGenericShape(tile, recipe.variant, recipe.c, white);
        return;
    }
    if (recipe.variant >= 0 && recipe.variant < objCount) {
        drawTemplate(tile, 0, 0, objectTemplates[recipe.variant].rows, 16);
    }
}

void paintIcon(Canvas &tile, const TileRecipe &recipe) {
    Rng rng = makeRng(7000 + recipe.number);
    fillRect(tile, 0, 0, 16, 16, recipe.a);
    for (int k = 0; k < 14; ++k) {
        plot(tile, randomBelow(rng, 16), randomBelow(rng, 16), recipe.b);
    }
    if (recipe.variant >= 0 && recipe.variant < iconCount) {
        drawTemplate(tile, 0, 0, iconTemplates[recipe.variant].rows, 16);
    }
}
