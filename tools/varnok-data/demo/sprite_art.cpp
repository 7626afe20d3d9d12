#include "sprite_art.h"

#include "creature_sprites.h"

#include "rng.h"
#include "tile_numbers.h"

namespace {

enum Hat { hatNone, hatHood, hatHelmet, hatCrown, hatPointed, hatCap, hatKerchief };
enum Held {
    heldNone,
    heldStaff,
    heldSword,
    heldBasket,
    heldLute,
    heldHammer,
    heldSpear,
    heldBook,
    heldLantern,
    heldBundle
};

struct Role {
    const char *name;
    uint8_t tunic;
    uint8_t legs;
    uint8_t hair;
    int hat;
    int held;
};

// The people: sprites 1-127 cycle through these 32 roles.
const Role roles[32] = {
    {"a wanderer", brown, darkRed, black, hatNone, heldStaff},
    {"a merchant", purple, brown, brown, hatCap, heldBundle},
    {"a guard", lightGrey, darkGrey, black, hatHelmet, heldSpear},
    {"a farmer", green, brown, yellow, hatCap, heldBasket},
    {"a fisher", teal, navy, brown, hatKerchief, heldBundle},
    {"a smith", darkGrey, brown, black, hatNone, heldHammer},
    {"a healer", white, lightGrey, yellow, hatHood, heldBook},
    {"a mage", navy, navy, white, hatPointed, heldStaff},
    {"a noble", red, purple, yellow, hatCrown, heldNone},
    {"a jester", magenta, yellow, red, hatPointed, heldNone},
    {"a beggar", darkGrey, brown, darkGrey, hatNone, heldNone},
    {"a knight", white, lightGrey, brown, hatHelmet, heldSword},
    {"a shepherd", white, brown, brown, hatHood, heldStaff},
    {"a sailor", blue, white, black, hatKerchief, heldNone},
    {"a monk", brown, brown, brown, hatHood, heldBook},
    {"a child", yellow, blue, brown, hatNone, heldNone},
    {"a bard", cyan, purple, yellow, hatCap, heldLute},
    {"an innkeeper", white, brown, black, hatNone, heldLantern},
    {"a baker", white, white, brown, hatCap, heldBasket},
    {"a hunter", darkGreen, brown, brown, hatHood, heldSpear},
    {"a woodcutter", red, brown, black, hatCap, heldHammer},
    {"a scholar", purple, black, white, hatNone, heldBook},
    {"a priestess", white, yellow, black, hatKerchief, heldStaff},
    {"a lady", magenta, magenta, yellow, hatNone, heldNone},
    {"a lord", blue, darkRed, brown, hatCap, heldSword},
    {"a weaver", teal, purple, red, hatKerchief, heldBundle},
    {"a miner", brown, darkGrey, black, hatHelmet, heldHammer},
    {"a herbalist", green, darkGreen, white, hatHood, heldBasket},
    {"yourself", blue, navy, yellow, hatNone, heldSword}, // never used: sprite 28 is the hero
    {"a lamplighter", darkRed, black, brown, hatCap, heldLantern},
    {"a stablehand", brown, darkGreen, yellow, hatNone, heldBundle},
    {"a ranger", darkGreen, darkGreen, red, hatHood, heldSpear},
};

const char *const heroRows[16] = {
    "................", ".....eeeee......", "....eeeeeee.....", "....e7777e......",
    "....7707077.....", ".....77777......", "...cc99999cc....", "..cc9999999cc.f.",
    "..779e999e977.f.", "..7.99999.97.f..", "..8889999988.6..", "..888.999..7....",
    ".....11.11......", ".....11.11......", ".....66.66......", "....666.666....."};

void paintPerson(Canvas &s, const Role &role, int n) {
    Rng rng = makeRng(300 + n);
    const uint8_t skins[3] = {white, yellow, brown};
    uint8_t skin = skins[randomBelow(rng, 3)];
    if (skin == role.tunic) {
        skin = yellow;
    }
    // Head and hair
    fillRect(s, 6, 2, 4, 4, skin);
    fillRect(s, 6, 1, 4, 1, role.hair);
    plot(s, 5, 2, role.hair);
    plot(s, 10, 2, role.hair);
    plot(s, 7, 3, black);
    plot(s, 9, 3, black);
    // Body, arms, legs, feet
    fillRect(s, 5, 6, 6, 6, role.tunic);
    fillRect(s, 4, 7, 1, 4, role.tunic);
    fillRect(s, 11, 7, 1, 4, role.tunic);
    plot(s, 4, 11, skin);
    plot(s, 11, 11, skin);
    fillRect(s, 6, 12, 1, 3, role.legs);
    fillRect(s, 9, 12, 1, 3, role.legs);
    fillRect(s, 5, 15, 2, 1, darkGrey);
    fillRect(s, 9, 15, 2, 1, darkGrey);
    drawLine(s, 5, 11, 10, 11, role.legs == role.tunic ? black : role.legs);
    switch (role.hat) {
    case hatHood:
        fillRect(s, 5, 1, 6, 2, role.tunic);
        plot(s, 5, 3, role.tunic);
        plot(s, 10, 3, role.tunic);
        break;
    case hatHelmet:
        fillRect(s, 5, 0, 6, 3, lightGrey);
        plot(s, 8, 0, white);
        break;
    case hatCrown:
        fillRect(s, 6, 0, 4, 1, yellow);
        plot(s, 6, 0, yellow);
        plot(s, 7, 0, red);
        break;
    case hatPointed:
        drawLine(s, 5, 1, 10, 1, role.tunic);
        drawLine(s, 6, 0, 9, 0, role.tunic);
        plot(s, 11, 0, role.tunic);
        break;
    case hatCap:
        fillRect(s, 6, 0, 4, 2, role.legs);
        plot(s, 10, 1, role.legs);
        break;
    case hatKerchief:
        fillRect(s, 6, 0, 4, 2, red);
        break;
    default:
        break;
    }
    switch (role.held) {
    case heldStaff:
        drawLine(s, 13, 2, 13, 15, brown);
        plot(s, 13, 1, yellow);
        break;
    case heldSword:
        drawLine(s, 13, 3, 13, 10, white);
        drawLine(s, 12, 10, 14, 10, yellow);
        break;
    case heldBasket:
        fillRect(s, 12, 10, 3, 2, brown);
        plot(s, 13, 9, brown);
        break;
    case heldLute:
        fillDisc(s, 2.5, 10, 1.8, brown);
        drawLine(s, 3, 8, 5, 6, yellow);
        break;
    case heldHammer:
        drawLine(s, 13, 6, 13, 12, brown);
        fillRect(s, 12, 5, 3, 2, darkGrey);
        break;
    case heldSpear:
        drawLine(s, 13, 1, 13, 15, brown);
        plot(s, 13, 0, white);
        plot(s, 12, 1, white);
        plot(s, 14, 1, white);
        break;
    case heldBook:
        fillRect(s, 12, 8, 3, 3, red);
        plot(s, 13, 9, white);
        break;
    case heldLantern:
        fillRect(s, 12, 10, 2, 3, yellow);
        plot(s, 12, 9, darkGrey);
        break;
    case heldBundle:
        fillDisc(s, 2.5, 8.5, 1.8, lightGrey);
        break;
    default:
        break;
    }
}

} // namespace

Canvas paintSprite(int n, uint8_t background) {
    Canvas s = makeCanvas(16, 16, background);
    if (n <= 0 || n >= spriteCount) {
        return s;
    }
    if (n == heroSprite) {
        drawTemplate(s, 0, 0, heroRows, 16);
    } else if (n < 128) {
        paintPerson(s, roles[n % 32], n);
    } else {
        paintCreatureSprite(s, n);
    }
    return s;
}

const char *spriteName(int n) {
    if (n <= 0 || n >= spriteCount) {
        return "nobody";
    }
    if (n == heroSprite) {
        return "a hero";
    }
    return n < 128 ? roles[n % 32].name : creatureName(n);
}

int townsfolkSprite(int k) {
    // Roles 1, 3-10, 12-27, 29-30 are ordinary folk; guards and knights are apart.
    static const int folk[] = {1,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15,
                               16, 17, 18, 20, 21, 22, 23, 24, 25, 27, 29, 30};
    const int count = sizeof folk / sizeof folk[0];
    int index = ((k % count) + count) % count;
    // Later rounds use the next block of 32, which shows the same trade with
    // another face.
    return folk[index] + 32 * ((k / count) % 3);
}

int guardSprite(int k) {
    static const int guards[] = {2, 11, 34, 43, 66, 75};
    return guards[((k % 6) + 6) % 6];
}

int creatureSprite(int k) {
    return 128 + ((k % 128) + 128) % 128;
}
