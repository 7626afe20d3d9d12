// The 40 places of the demo world: name, world position, settlement family,
// entry level, overworld tile and the levels each settlement owns.
#pragma once

#include <cstdint>

const int placeCount = 40;

struct Place {
    const char *name; // at most 15 characters
    uint8_t column;   // world position of the entrance
    uint8_t row;
    uint8_t family; // MapKind: 2 towne, 3 castle, 4 keep, 5 dwelling; 0 for the dungeon entrances
    uint8_t entryLevel; // level of the family's map file on which the place is entered
    uint8_t icon;       // overworld tile shown at the entrance
};

extern const Place places[placeCount];

// Kinds of settlement, for the builders of maps and people.
enum PlaceKind {
    kindTown,
    kindLighthouse,
    kindHut,
    kindCastle,
    kindVillage,
    kindKeep,
    kindEntrance
};
PlaceKind placeKind(int number);

// The levels a settlement owns: from its entry level (from level 0 for the first
// of its family, so castle 16 has a cellar below its entry) up to the level
// before the next entry level of the same family. False for the dungeon entrances.
bool placeLevels(int number, int &first, int &last);

// The location that owns `level` of `family`, or -1.
int placeOfLevel(uint8_t family, int level);

// The start position of the player.
const uint8_t startColumn = 86;
const uint8_t startRow = 109;
