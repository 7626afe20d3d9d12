// The game's fixed rules, each written once: the 40 places (their kinds, the
// settlement family each belongs to, the level it is entered on, its music), the
// cells where the player starts and enters a settlement, the player's sprite and
// the ladders. The engine plays by them; the demo-world writer builds its world
// to them.
#pragma once

#include <cstdint>

#include "4-data/maps.h"

const int worldLocationCount = 40;

// Each kind owns a block of location numbers: towns 0-7, lighthouses 8-11, huts
// 12-15, castles 16-17, villages 18-23, keeps 24-31, dungeon entrances 32-39.
enum PlaceKind {
    kindTown,
    kindLighthouse,
    kindHut,
    kindCastle,
    kindVillage,
    kindKeep,
    kindEntrance,
};
PlaceKind placeKind(int location);

// The settlement family (MapKind 2-5) a location is entered into; overworld for
// the dungeon entrances. Each family owns a block of eight location numbers, and
// location i uses record i mod 8 of its family's character file.
uint8_t placeFamily(int location);
int characterRecordOf(int location);

// Dungeon entrances: passages between the two world maps, the last only upwards.
const int firstEntrance = 32;
const int lastEntrance = 39;
// The keep reached from the underworld.
const int underworldKeep = 24;

// The level of its family's map on which each location is entered.
extern const uint8_t entryLevel[worldLocationCount];

// The music number played on entering each location.
extern const uint8_t locationMusic[worldLocationCount];

// The overworld's music, played at the start and when a settlement is left.
const uint16_t overworldMusic = 1;

// Every settlement is entered at this cell of its entry level.
const uint8_t entryColumn = 15;
const uint8_t entryRow = 30;

// The player starts on this cell of the overworld, drawn with this sprite (also
// the window's icon and the program's).
const uint8_t startColumn = 86;
const uint8_t startRow = 109;
const uint8_t heroSprite = 28;

// Tile numbers of the two ladders Klimb takes.
const uint8_t ladderUpTile = 200;
const uint8_t ladderDownTile = 201;
