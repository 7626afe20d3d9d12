#include "2-play/rules.h"

const uint8_t entryLevel[worldLocationCount] = {
    0, 2, 4,  7,  8,  10, 12, 14, // towns
    0, 3, 6,  9,  12, 13, 14, 15, // lighthouses, huts
    1, 6, 10, 11, 12, 13, 14, 15, // castles, villages
    0, 2, 4,  5,  6,  8,  10, 14, // keeps
    0, 0, 0,  0,  0,  0,  0,  0,  // dungeon entrances
};

const uint8_t locationMusic[worldLocationCount] = {
    10, 7,  8,  14, 9,  13, 12, 11, // towns
    35, 37, 36, 38, 21, 23, 22, 20, // lighthouses, huts
    16, 15, 29, 27, 26, 28, 25, 24, // castles, villages
    30, 31, 32, 34, 33, 18, 17, 19, // keeps
    1,  1,  1,  1,  1,  1,  1,  1,  // dungeon entrances
};

namespace {

struct KindBlock {
    int last; // the last location number of the kind
    PlaceKind kind;
    uint8_t family;
};

const KindBlock kindBlocks[] = {
    {7, kindTown, towne},     {11, kindLighthouse, dwelling}, {15, kindHut, dwelling},
    {17, kindCastle, castle}, {23, kindVillage, castle},      {31, kindKeep, keep},
    {39, kindEntrance, overworld},
};

const KindBlock &blockOf(int location) {
    for (const KindBlock &block : kindBlocks) {
        if (location <= block.last) {
            return block;
        }
    }
    return kindBlocks[sizeof kindBlocks / sizeof kindBlocks[0] - 1];
}

} // namespace

PlaceKind placeKind(int location) {
    return blockOf(location).kind;
}

uint8_t placeFamily(int location) {
    return blockOf(location).family;
}

int characterRecordOf(int location) {
    return location % 8;
}
