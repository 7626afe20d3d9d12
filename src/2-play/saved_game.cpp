#include "2-play/saved_game.h"

#include "2-play/game.h"

#include "2-play/clock.h"
#include "2-play/locations.h"
#include "2-play/rules.h"
#include "4-data/characters.h"
#include "4-data/maps.h"

SavedGame currentGame(const Game &game) {
    const PlayerStateRecord &p = game.playerState;
    return SavedGame{p.mapKind,   p.level, p.column,         p.row,          p.returnColumn,
                     p.returnRow, p.floor, p.locationNumber, game.gameClock, game.music};
}

void resumeGame(Game &game, const SavedGame &saved) {
    PlayerStateRecord &player = game.playerState;
    player.column = (uint8_t)saved.column;
    player.row = (uint8_t)saved.row;
    player.returnColumn = (uint8_t)saved.returnColumn;
    player.returnRow = (uint8_t)saved.returnRow;
    player.level = (uint8_t)saved.level;
    player.floor = (uint8_t)saved.floor;
    player.locationNumber = (uint8_t)saved.location;
    selectMap(game, (uint8_t)saved.map, (uint8_t)saved.level);
    // A settlement's people come from the record of the location it was entered as.
    bool inSettlement = saved.map >= towne && saved.map <= dwelling;
    setSettlementCharacters(game, inSettlement ? (uint8_t)saved.map : (uint8_t)overworld,
                            characterRecordOf(saved.location));
    game.gameClock = (uint16_t)saved.clock;
    playPlaceMusic(game, (uint16_t)saved.music);
}
