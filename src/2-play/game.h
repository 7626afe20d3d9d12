// The game in play: one record for everything a game is while it runs (the
// player's record, the selected map, the clock, the piece of music playing, the
// people of the settlement the player is in, the scroll phase and the input
// stack). The rules act on it; drawing is handed a view of it; a save writes it
// out (saved_game.h). The maps, tables and pictures it points into are the data
// read at start-up and never change with play.
#pragma once

#include <cstdint>

#include "2-play/input_stack.h"
#include "3-gfx/play_view.h"
#include "4-data/characters.h"
#include "4-data/maps.h"

struct Game {
    PlayerStateRecord playerState;
    CurrentMapRecord currentMap;
    uint16_t gameClock; // the minute of the day, 0-1439
    uint16_t music;     // the piece last asked for: the one a save resumes
    // The people of the settlement the player is in, filled from
    // currentCharacterRecord; consulted only while it is set (nullptr on the world
    // maps).
    NpcSlot npcSlots[npcSlotCount];
    const uint8_t *currentCharacterRecord;
    uint16_t animationFrame; // 0-15, one step on every animation tick
    InputHandlerStack inputStack;
    bool quitConfirmed; // the quit question answered yes: the game ends
};

// A game before its start: no map selected, nobody about, the clock at 0, the
// overworld's music asked for, an empty input stack.
Game newGame();

// Points the current map at a world map or a settlement level (restarting its
// animation) and notes its kind in the player's record. A kind outside 0-5
// leaves no map; a settlement level outside 0-15 changes nothing.
void selectMap(Game &game, uint8_t kind, uint8_t level);

// shownTile of a cell of the current map; 0 when no map is selected.
uint8_t tileAt(const Game &game, uint8_t column, uint8_t row);

// Fills the character slots from record `index` of the family's file; any other
// kind, or an index outside 0-7, leaves no characters.
void setSettlementCharacters(Game &game, uint8_t kind, int index);

// What drawing shows of the game.
PlayView viewOf(const Game &game);
