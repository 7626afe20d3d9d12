#include "2-play/look_klimb.h"

#include "2-play/game.h"

#include "2-play/directions.h"
#include "2-play/prompts.h"
#include "3-gfx/console.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/tile_names.h"

namespace {

const int characterNameBase = 256;

bool inSettlement(const Game &game) {
    return game.playerState.mapKind >= towne && game.playerState.mapKind <= dwelling;
}

// The person a Look at the cell sees: the highest slot 1-31 of the player's floor
// standing there, as a name number; -1 when nobody is seen.
int personAt(const Game &game, uint8_t column, uint8_t row) {
    int name = -1;
    if (game.currentCharacterRecord == nullptr) {
        return name;
    }
    for (int slot = 1; slot < npcSlotCount; slot++) {
        const NpcSlot &person = game.npcSlots[slot];
        if (person.floor == game.playerState.floor && person.column == column &&
            person.row == row && person.type != 0) {
            name = characterNameBase + person.type;
        }
    }
    return name;
}

// Takes the ladder: one level up or down, keeping the cell. False when the level
// would leave the family's 16 levels.
bool climb(Game &game, int change) {
    PlayerStateRecord &player = game.playerState;
    int level = player.level + change;
    if (level < 0 || level >= settlementLevels) {
        return false;
    }
    player.floor = (uint8_t)(player.floor + change);
    player.level = (uint8_t)level;
    selectMap(game, player.mapKind, player.level);
    return true;
}

} // namespace

bool lookCommand(Game &game) {
    consolePrint(1, "Look-");
    askDirection(game, lookAt);
    return false;
}

int lookedAtName(const Game &game, GameKey direction) {
    const DirectionStep *step = directionStep(direction);
    int column = game.playerState.column;
    int row = game.playerState.row;
    if (step != nullptr) {
        column += step->columnStep;
        row += step->rowStep;
    }
    MapPosition seen = seenPosition(game.currentMap, column, row);
    int person = personAt(game, (uint8_t)seen.column, (uint8_t)seen.row);
    return person >= 0 ? person : tileAt(game, (uint8_t)seen.column, (uint8_t)seen.row);
}

void lookAt(Game &game, GameKey direction) {
    int name = lookedAtName(game, direction);
    consolePrint(1, "\nThou dost see\n");
    consolePrint(0, "%s\n\n", tileName(name));
}

bool klimbCommand(Game &game) {
    if (!inSettlement(game)) {
        consolePrint(0, "Klimb-With what?\n\n");
        return true;
    }
    uint8_t tile = tileAt(game, game.playerState.column, game.playerState.row);
    if (tile == ladderUpTile && climb(game, 1)) {
        consolePrint(0, "Klimb-up!\n\n");
        return true;
    }
    if (tile == ladderDownTile && climb(game, -1)) {
        consolePrint(0, "Klimb-down!\n\n");
        return true;
    }
    consolePrint(1, "Klimb-");
    if (tile == ladderUpTile || tile == ladderDownTile) {
        // A ladder past the first or last level of the family leads nowhere.
        sayWhat(game, 0);
        return false;
    }
    askDirection(game, sayWhat);
    return false;
}

void sayWhat(Game &, GameKey) {
    consolePrint(0, "What?\n\n");
}
