// The 40 places of the demo world: name, world position and overworld tile, and
// the levels each settlement owns. Their kinds, families and entry levels are
// the game's own rules.
#pragma once

#include <cstdint>

#include "2-play/rules.h"

const int placeCount = worldLocationCount;

struct Place {
    const char *name; // at most 15 characters
    uint8_t column;   // world position of the entrance
    uint8_t row;
    uint8_t icon; // overworld tile shown at the entrance
};

extern const Place places[placeCount];

// The levels a settlement owns: from its entry level (from level 0 for the first
// of its family, so castle 16 has a cellar below its entry) up to the level
// before the next entry level of the same family. False for the dungeon entrances.
bool placeLevels(int number, int &first, int &last);

// The location that owns `level` of `family`, or -1.
int placeOfLevel(uint8_t family, int level);
