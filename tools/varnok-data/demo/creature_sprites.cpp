// The animals and monsters among the character sprites (128-255).
#include "creature_sprites.h"

namespace {

enum CreatureKind {
    crCat,
    crDog,
    crHorse,
    crCow,
    crSheep,
    crPig,
    crChicken,
    crRat,
    crBat,
    crCrow,
    crWolf,
    crBear,
    crSnake,
    crSpider,
    crSlime,
    crSkeleton,
    crGhost,
    crImp,
    crBeetle,
    crToad,
    crCount
};

struct CreatureLook {
    const char *name;
    int kind;
    uint8_t body;
    uint8_t detail;
};

// The creatures: sprites 128-255 cycle through these 32.
const CreatureLook creatures[32] = {
    {"a cat", crCat, darkGrey, yellow},
    {"a dog", crDog, brown, black},
    {"a horse", crHorse, brown, black},
    {"a cow", crCow, white, black},
    {"a sheep", crSheep, white, darkGrey},
    {"a pig", crPig, magenta, red},
    {"a hen", crChicken, white, red},
    {"a rat", crRat, darkGrey, magenta},
    {"a bat", crBat, purple, red},
    {"a crow", crCrow, darkGrey, yellow},
    {"a wolf", crWolf, lightGrey, red},
    {"a bear", crBear, brown, black},
    {"a snake", crSnake, green, red},
    {"a spider", crSpider, darkGrey, red},
    {"a slime", crSlime, green, white},
    {"a skeleton", crSkeleton, white, black},
    {"a ghost", crGhost, lightGrey, blue},
    {"an imp", crImp, red, yellow},
    {"a beetle", crBeetle, teal, cyan},
    {"a toad", crToad, darkGreen, yellow},
    {"a tabby cat", crCat, brown, green},
    {"a hound", crDog, lightGrey, brown},
    {"a pony", crHorse, white, darkGrey},
    {"a goat", crSheep, lightGrey, black},
    {"a boar", crPig, darkRed, white},
    {"a duck", crChicken, yellow, darkGreen},
    {"a giant rat", crRat, brown, red},
    {"a raven", crCrow, black, red},
    {"a grey bear", crBear, darkGrey, white},
    {"a serpent", crSnake, purple, yellow},
    {"a cave spider", crSpider, brown, yellow},
    {"a bog slime", crSlime, teal, yellow},
};

void paintLegs(Canvas &s, int x0, int x1, int top, uint8_t colour) {
    for (int x = x0; x <= x1; x += 3) {
        drawLine(s, x, top, x, top + 3, colour);
    }
}

void paintCreature(Canvas &s, const CreatureLook &c) {
    switch (c.kind) {
    case crCat:
    case crDog:
    case crWolf:
    case crRat:
        fillEllipse(s, 7, 10, 5, 2.5, c.body);
        fillDisc(s, 12, 7, 2.5, c.body);
        plot(s, 11, 4, c.body);
        plot(s, 13, 4, c.body);
        plot(s, 12, 7, c.detail);
        drawLine(s, 2, 9, 0, c.kind == crCat ? 5 : 8, c.body);
        paintLegs(s, 3, 10, 12, c.body);
        break;
    case crHorse:
    case crCow:
    case crPig:
    case crBear:
        fillEllipse(s, 7, 9, 6, 3.5, c.body);
        fillEllipse(s, 13, 6, 2.2, 2.8, c.body);
        plot(s, 13, 6, c.detail);
        if (c.kind == crCow) {
            fillDisc(s, 5, 8, 1.5, c.detail);
            fillDisc(s, 9, 10, 1.2, c.detail);
        }
        if (c.kind == crHorse) {
            drawLine(s, 10, 4, 12, 3, c.detail);
            drawLine(s, 1, 7, 0, 11, c.detail);
        }
        paintLegs(s, 2, 11, 12, c.kind == crBear ? c.body : c.detail);
        break;
    case crSheep:
        fillEllipse(s, 7, 9, 6, 4, c.body);
        for (int k = 0; k < 6; ++k) {
            plot(s, 3 + k * 2, 7 + k % 2, lightGrey);
        }
        fillEllipse(s, 13, 7, 2, 2.5, c.detail);
        paintLegs(s, 3, 10, 12, c.detail);
        break;
    case crChicken:
    case crCrow:
        fillEllipse(s, 8, 9, 4, 3.5, c.body);
        fillDisc(s, 11, 5, 2, c.body);
        plot(s, 13, 5, yellow);
        plot(s, 14, 5, yellow);
        plot(s, 11, 4, c.detail);
        drawLine(s, 7, 12, 7, 15, yellow);
        drawLine(s, 9, 12, 9, 15, yellow);
        break;
    case crBat:
        fillEllipse(s, 8, 8, 2, 3, c.body);
        for (int k = 0; k < 6; ++k) {
            drawLine(s, 7 - k, 7 + k % 2, 7 - k, 9 + k % 3, c.body);
            drawLine(s, 9 + k, 7 + k % 2, 9 + k, 9 + k % 3, c.body);
        }
        plot(s, 7, 7, c.detail);
        plot(s, 9, 7, c.detail);
        break;
    case crSnake:
        for (int x = 1; x < 13; ++x) {
            int y = 11 + (x % 4 < 2 ? 0 : 1);
            fillRect(s, x, y, 1, 2, c.body);
        }
        fillEllipse(s, 12, 8, 2, 1.5, c.body);
        drawLine(s, 12, 10, 12, 11, c.body);
        plot(s, 13, 7, c.detail);
        plot(s, 14, 9, red);
        break;
    case crSpider:
        fillDisc(s, 8, 9, 3, c.body);
        fillDisc(s, 8, 5, 1.8, c.body);
        for (int k = 0; k < 4; ++k) {
            drawLine(s, 6, 8 + k, 1, 6 + k * 3, c.body);
            drawLine(s, 10, 8 + k, 15, 6 + k * 3, c.body);
        }
        plot(s, 7, 5, c.detail);
        plot(s, 9, 5, c.detail);
        break;
    case crSlime:
        fillEllipse(s, 8, 11, 6, 4, c.body);
        fillEllipse(s, 8, 8, 4, 3, c.body);
        plot(s, 6, 8, c.detail);
        plot(s, 10, 8, c.detail);
        plot(s, 5, 11, c.detail);
        break;
    case crSkeleton:
        fillRect(s, 6, 1, 4, 4, c.body);
        plot(s, 7, 2, c.detail);
        plot(s, 9, 2, c.detail);
        drawLine(s, 8, 5, 8, 10, c.body);
        for (int y = 6; y < 10; y += 2) {
            drawLine(s, 6, y, 10, y, c.body);
        }
        drawLine(s, 5, 6, 3, 10, c.body);
        drawLine(s, 11, 6, 13, 10, c.body);
        drawLine(s, 8, 10, 6, 15, c.body);
        drawLine(s, 8, 10, 10, 15, c.body);
        break;
    case crGhost:
        fillDisc(s, 8, 6, 4.5, c.body);
        fillRect(s, 4, 6, 9, 7, c.body);
        for (int x = 4; x < 13; x += 2) {
            plot(s, x, 13, c.body);
        }
        fillRect(s, 6, 5, 1, 2, c.detail);
        fillRect(s, 9, 5, 1, 2, c.detail);
        break;
    case crImp:
        fillEllipse(s, 8, 9, 3, 4, c.body);
        fillDisc(s, 8, 4, 2.5, c.body);
        plot(s, 6, 1, c.detail);
        plot(s, 10, 1, c.detail);
        plot(s, 7, 4, black);
        plot(s, 9, 4, black);
        drawLine(s, 5, 8, 2, 5, purple);
        drawLine(s, 11, 8, 14, 5, purple);
        drawLine(s, 7, 13, 7, 15, c.body);
        drawLine(s, 9, 13, 9, 15, c.body);
        break;
    case crBeetle:
        fillEllipse(s, 8, 9, 4, 5, c.body);
        drawLine(s, 8, 5, 8, 14, black);
        fillDisc(s, 8, 3.5, 1.8, black);
        plot(s, 6, 7, c.detail);
        for (int k = 0; k < 3; ++k) {
            drawLine(s, 4, 7 + k * 3, 1, 6 + k * 4, black);
            drawLine(s, 12, 7 + k * 3, 15, 6 + k * 4, black);
        }
        break;
    default: // toad
        fillEllipse(s, 8, 11, 6, 3.5, c.body);
        fillDisc(s, 5, 8, 1.5, c.body);
        fillDisc(s, 11, 8, 1.5, c.body);
        plot(s, 5, 8, c.detail);
        plot(s, 11, 8, c.detail);
        drawLine(s, 2, 14, 4, 12, c.body);
        drawLine(s, 14, 14, 12, 12, c.body);
        break;
    }
}

} // namespace

void paintCreatureSprite(Canvas &s, int n) {
    paintCreature(s, creatures[n % 32]);
}

const char *creatureName(int n) {
    return creatures[n % 32].name;
}
