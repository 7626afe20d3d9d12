#include "2-play/commands.h"

#include "2-play/clock.h"
#include "2-play/directions.h"
#include "2-play/game.h"
#include "2-play/locations.h"
#include "2-play/look_klimb.h"
#include "2-play/prompts.h"
#include "3-gfx/console.h"
#include "4-data/maps.h"

namespace {

// A command answers whether it finished its exchange; a finished command has
// taken one minute of game time.
typedef bool (*Command)(Game &game, GameKey key);

bool passCommand(Game &, GameKey) {
    consolePrint(0, "Pass\n\n");
    return true;
}

bool moveCommand(Game &game, GameKey key) {
    const DirectionStep *step = directionStep(key);
    if (tryMove(game, key) == moved) {
        consolePrint(0, "%s\n\n", step->word);
        return true;
    }
    consolePrint(1, "%s\n\n", step->word);
    consolePrint(1, "Dost thou wish\nto leave? ");
    askYesNo(game, leaveLocation);
    return false;
}

bool enterCommand(Game &game, GameKey) {
    if (!enterLocation(game)) {
        consolePrint(0, "Enter What?\n\n");
    }
    return true;
}

bool klimbKey(Game &game, GameKey) {
    return klimbCommand(game);
}

bool lookKey(Game &game, GameKey) {
    return lookCommand(game);
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

void mainCommandHandler(Game &game, GameKey key, intptr_t) {
    const CommandEntry *entry = commandOf(key);
    if (entry != nullptr && entry->command(game, key)) {
        advanceClock(game);
    }
}

bool isCommandKey(GameKey key) {
    return commandOf(key) != nullptr;
}

int tryMove(Game &game, GameKey direction) {
    PlayerStateRecord &player = game.playerState;
    const CurrentMapRecord &map = game.currentMap;
    const DirectionStep *step = directionStep(direction);
    if (step == nullptr) {
        return moved; // not a direction: no step to take
    }
    int column = player.column + step->columnStep;
    int row = player.row + step->rowStep;
    if (map.wraps) {
        column = wrapCoordinate(column, map.width);
        row = wrapCoordinate(row, map.height);
    } else if (column < 0 || row < 0 || column >= map.width || row >= map.height) {
        return moveOffEdge;
    }
    player.column = (uint8_t)column;
    player.row = (uint8_t)row;
    return moved;
}
