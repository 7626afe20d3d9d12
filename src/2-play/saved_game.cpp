#include "2-play/saved_game.h"

#include "2-play/clock.h"
#include "2-play/locations.h"
#include "2-play/rules.h"
#include "4-data/characters.h"
#include "4-data/maps.h"

SavedGame currentGame() {
    const PlayerStateRecord &p = PlayerState;
    return SavedGame{p.mapKind,   p.level, p.column,         p.row,     p.returnColumn,
                     p.returnRow, p.floor, p.locationNumber, GameClock, placeMusic()};
}

void resumeGame(const SavedGame &game) {
    PlayerState.column = (uint8_t)game.column;
    PlayerState.row = (uint8_t)game.row;
    PlayerState.returnColumn = (uint8_t)game.returnColumn;
    PlayerState.returnRow = (uint8_t)game.returnRow;
    PlayerState.level = (uint8_t)game.level;
    PlayerState.floor = (uint8_t)game.floor;
    PlayerState.locationNumber = (uint8_t)game.location;
    selectMap((uint8_t)game.map, (uint8_t)game.level);
    // A settlement's people come from the record of the location it was entered as.
    bool inSettlement = game.map >= towne && game.map <= dwelling;
    setSettlementCharacters(inSettlement ? (uint8_t)game.map : (uint8_t)overworld,
                            characterRecordOf(game.location));
    GameClock = (uint16_t)game.clock;
    playPlaceMusic((uint16_t)game.music);
}
