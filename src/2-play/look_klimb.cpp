#include "2-play/look_klimb.h"

#include "2-play/directions.h"
#include "2-play/prompts.h"
#include "3-gfx/console.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/tile_names.h"

namespace {

const int characterNameBase = 256;

bool inSettlement() {
    return PlayerState.mapKind >= towne && PlayerState.mapKind <= dwelling;
}

// The person a Look at the cell sees: the highest slot 1-31 of the player's floor
// standing there, as a name number; -1 when nobody is seen.
int personAt(uint8_t column, uint8_t row) {
    int name = -1;
    if (currentCharacterRecord == nullptr) {
        return name;
    }
    for (int slot = 1; slot < npcSlotCount; slot++) {
        const NpcSlot &person = npcSlots[slot];
        if (person.floor == PlayerState.floor && person.column == column && person.row == row &&
            person.type != 0) {
            name = characterNameBase + person.type;
        }
    }
    return name;
}

// Takes the ladder: one level up or down, keeping the cell. False when the level
// would leave the family's 16 levels.
bool climb(int change) {
    int level = PlayerState.level + change;
    if (level < 0 || level >= settlementLevels) {
        return false;
    }
    PlayerState.floor = (uint8_t)(PlayerState.floor + change);
    PlayerState.level = (uint8_t)level;
    selectMap(PlayerState.mapKind, PlayerState.level);
    return true;
}

} // namespace

bool lookCommand() {
    consolePrint(1, "Look-");
    askDirection(lookAt);
    return false;
}

int lookedAtName(GameKey direction) {
    const DirectionStep *step = directionStep(direction);
    int column = PlayerState.column;
    int row = PlayerState.row;
    if (step != nullptr) {
        column += step->columnStep;
        row += step->rowStep;
    }
    MapPosition seen = seenPosition(column, row);
    int person = personAt((uint8_t)seen.column, (uint8_t)seen.row);
    return person >= 0 ? person : tileAt((uint8_t)seen.column, (uint8_t)seen.row);
}

void lookAt(GameKey direction) {
    int name = lookedAtName(direction);
    consolePrint(1, "\nThou dost see\n");
    consolePrint(0, "%s\n\n", tileName(name));
}

bool klimbCommand() {
    if (!inSettlement()) {
        consolePrint(0, "Klimb-With what?\n\n");
        return true;
    }
    uint8_t tile = tileAt(PlayerState.column, PlayerState.row);
    if (tile == ladderUpTile && climb(1)) {
        consolePrint(0, "Klimb-up!\n\n");
        return true;
    }
    if (tile == ladderDownTile && climb(-1)) {
        consolePrint(0, "Klimb-down!\n\n");
        return true;
    }
    consolePrint(1, "Klimb-");
    if (tile == ladderUpTile || tile == ladderDownTile) {
        // A ladder past the first or last level of the family leads nowhere.
        sayWhat(0);
        return false;
    }
    askDirection(sayWhat);
    return false;
}

void sayWhat(GameKey) {
    consolePrint(0, "What?\n\n");
}
