#include "2-play/game.h"

#include "2-play/rules.h"

Game newGame() {
    Game game = {};
    game.music = overworldMusic;
    return game;
}

void selectMap(Game &game, uint8_t kind, uint8_t level) {
    if (selectMapCells(game.currentMap, kind, level)) {
        game.playerState.mapKind = kind;
    }
}

uint8_t tileAt(const Game &game, uint8_t column, uint8_t row) {
    return tileAt(game.currentMap, column, row);
}

void setSettlementCharacters(Game &game, uint8_t kind, int index) {
    const uint8_t *record = characterRecord(kind, index);
    game.currentCharacterRecord = record;
    if (record == nullptr) {
        return;
    }
    for (int p = 0; p < npcSlotCount; p++) {
        game.npcSlots[p] = npcSlotOf(record, p);
    }
}

PlayView viewOf(const Game &game) {
    const NpcSlot *people = game.currentCharacterRecord != nullptr ? game.npcSlots : nullptr;
    return PlayView{&game.currentMap, &game.playerState, people, game.gameClock,
                    game.animationFrame};
}
