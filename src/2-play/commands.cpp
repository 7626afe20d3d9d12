#include "2-play/commands.h"

#include "2-play/clock.h"
#include "2-play/directions.h"
#include "2-play/locations.h"
#include "2-play/look_klimb.h"
#include "2-play/prompts.h"
#include "3-gfx/console.h"
#include "4-data/maps.h"

namespace {

// A command answers whether it finished its exchange; a finished command has
// taken one minute of game time.
typedef bool (*Command)(GameKey key);

bool passCommand(GameKey) {
    consolePrint(0, "Pass\n\n");
    return true;
}

bool moveCommand(GameKey key) {
    const DirectionStep *step = directionStep(key);
    if (tryMove(key) == moved) {
        consolePrint(0, "%s\n\n", step->word);
        return true;
    }
    consolePrint(1, "%s\n\n", step->word);
    consolePrint(1, "Dost thou wish\nto leave? ");
    askYesNo(leaveLocation);
    return false;
}

bool enterCommand(GameKey) {
    if (enterLocation() != 0) {
        consolePrint(0, "Enter What?\n\n");
    }
    return true;
}

bool klimbKey(GameKey) {
    return klimbCommand();
}

bool lookKey(GameKey) {
    return lookCommand();
}

struct CommandEntry {
    GameKey key;
    Command command;
};

const CommandEntry commandTable[] = {
    {keyPass, passCommand}, {keyNorth, moveCommand}, {keySouth, moveCommand},
    {keyEast, moveCommand}, {keyWest, moveCommand},  {keyEnter, enterCommand},
    {keyKlimb, klimbKey},   {keyLook, lookKey},
};

const CommandEntry *commandOf(GameKey key) {
    for (const CommandEntry &entry : commandTable) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

void mainCommandHandler(GameKey key, intptr_t) {
    const CommandEntry *entry = commandOf(key);
    if (entry != nullptr && entry->command(key)) {
        advanceClock();
    }
}

bool isCommandKey(GameKey key) {
    return commandOf(key) != nullptr;
}

int tryMove(GameKey direction) {
    const DirectionStep *step = directionStep(direction);
    if (step == nullptr) {
        return moved; // not a direction: no step to take
    }
    int column = PlayerState.column + step->columnStep;
    int row = PlayerState.row + step->rowStep;
    if (CurrentMap.wraps) {
        column = wrapCoordinate(column, CurrentMap.width);
        row = wrapCoordinate(row, CurrentMap.height);
    } else if (column < 0 || row < 0 || column >= CurrentMap.width || row >= CurrentMap.height) {
        return moveOffEdge;
    }
    PlayerState.column = (uint8_t)column;
    PlayerState.row = (uint8_t)row;
    return moved;
}
