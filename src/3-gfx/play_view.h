// What one pass of drawing shows of the game in play: the selected map, the
// player's record, the people of the settlement, the clock and the scroll phase.
// The game builds it (2-play/game.h); drawing reads it and nothing else of the
// game, so it never reaches into the rules.
#pragma once

#include <cstdint>

#include "4-data/characters.h"
#include "4-data/maps.h"

struct PlayView {
    const CurrentMapRecord *map;     // the selected map; its cells may be nullptr
    const PlayerStateRecord *player; // position, view centre, sprite and floor
    const NpcSlot *people;           // npcSlotCount slots; nullptr: nobody is drawn
    uint16_t clock;                  // the minute of the day
    uint16_t animationFrame;         // 0-15: the scrolling tiles move down by twice it
};
