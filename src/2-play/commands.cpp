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

const PadButton noPad = {nullptr, nullptr, nullptr};

// One row a command: label, action, game key, another game key doing the same,
// own key, where it works, key setting, button setting and its default, the keys
// list's keys and words, pad buttons, handler.
// clang-format off
const CommandRow table[] = {
    {"North", giveGameKey, keyNorth, noCode, nullptr, moving, "key_north", nullptr, 0,
     "Arrows\n[ / ' ;\nKP 8 2 6 4", "Walk", {{"ArrowUp", "ArrowUp", "\u25b2"}, noPad}, moveCommand},
    {"South", giveGameKey, keySouth, noCode, nullptr, moving, "key_south", nullptr, 0,
     nullptr, nullptr, {{"ArrowDown", "ArrowDown", "\u25bc"}, noPad}, moveCommand},
    {"East", giveGameKey, keyEast, noCode, nullptr, moving, "key_east", nullptr, 0,
     nullptr, nullptr, {{"ArrowRight", "ArrowRight", "\u25b6"}, noPad}, moveCommand},
    {"West", giveGameKey, keyWest, noCode, nullptr, moving, "key_west", nullptr, 0,
     nullptr, nullptr, {{"ArrowLeft", "ArrowLeft", "\u25c0"}, noPad}, moveCommand},
    {"Pass", giveGameKey, keyPass, noCode, nullptr, moving, "key_pass", "button_pass", 3,
     "Space\nKP 5", "Pass", {{" ", "Space", "Pass"}, noPad}, passCommand},
    {"Enter", giveGameKey, keyEnter, noCode, nullptr, inCommands, "key_enter", "button_enter", 0,
     "E", "Enter", {{"e", "KeyE", "Enter"}, noPad}, enterCommand},
    {"Klimb", giveGameKey, keyKlimb, noCode, nullptr, inCommands, "key_klimb", "button_klimb", 2,
     "K", "Klimb", {{"k", "KeyK", "Klimb"}, noPad}, klimbKey},
    {"Look", giveGameKey, keyLook, noCode, nullptr, inCommands, "key_look", "button_look", 1,
     "L", "Look", {{"l", "KeyL", "Look"}, noPad}, lookKey},
    {"Yes", giveGameKey, keyYes, noCode, nullptr, inQuestion, "key_yes", "button_yes", 0,
     "Y, N, Esc", "Answer", {{"y", "KeyY", "Yes"}, noPad}, nullptr},
    {"No", giveGameKey, keyNo, keyEscape, nullptr, inQuestion, "key_no", "button_no", 1,
     nullptr, nullptr, {{"n", "KeyN", "No"}, {"Escape", "Escape", "Esc"}}, nullptr},
    {"Save", saveAction, noCode, noCode, "f5", everywhere, "key_save", "button_save", 4,
     "F5", "Save", {noPad, noPad}, nullptr},
    {"Load", loadAction, noCode, noCode, "f9", everywhere, "key_load", "button_load", 5,
     "F9", "Load", {noPad, noPad}, nullptr},
    {"Fullscreen", displayAction, noCode, noCode, "alt+return", everywhere, nullptr, nullptr, 0,
     "Alt+Enter", "Fullscreen", {noPad, noPad}, nullptr},
    {"Screenshot", displayAction, noCode, noCode, "f12", everywhere, nullptr, nullptr, 0,
     "F12", "Screenshot", {noPad, noPad}, nullptr},
    {"Keys", keysListAction, noCode, noCode, "f1", everywhere, nullptr, "button_keys", 6,
     "F1", "These keys", {{"F1", "F1", "Keys"}, noPad}, nullptr},
    {"Quit", quitAction, noCode, noCode, "alt+x", everywhere, nullptr, "button_quit", 7,
     "Alt+X", "Quit", {noPad, noPad}, nullptr},
};
// clang-format on
static_assert(sizeof table / sizeof table[0] == commandCount,
              "commandCount counts the rows of the command table");

} // namespace

const CommandRow (&commandRows)[commandCount] = table;

namespace {

const CommandRow *handledRow(GameKey key) {
    for (const CommandRow &row : commandRows) {
        if (row.handler != nullptr && (row.contexts & inCommands) != 0 &&
            (row.code == key || row.alsoCode == key)) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

void mainCommandHandler(Game &game, GameKey key, intptr_t) {
    const CommandRow *row = handledRow(key);
    if (row != nullptr && row->handler(game, key)) {
        advanceClock(game);
    }
}

bool isCommandKey(GameKey key) {
    return handledRow(key) != nullptr;
}

int currentContext(const Game &game) {
    InputHandlerFn top = topHandler(game.inputStack);
    if (top == yesNoPrompt) {
        return inQuestion;
    }
    return top == directionPrompt ? inDirectionPrompt : inCommands;
}

bool contextAnswers(int context, GameKey code) {
    switch (context) {
    case inQuestion:
        return isYesAnswer(code) || isNoAnswer(code);
    case inDirectionPrompt:
        return answersDirectionPrompt(code);
    default:
        return isCommandKey(code);
    }
}

int tryMove(Game &game, GameKey direction) {
    const DirectionStep *step = directionStep(direction);
    if (step == nullptr) {
        return moved; // not a direction: no step to take
    }
    PlayerStateRecord &player = game.playerState;
    const CurrentMapRecord &map = game.currentMap;
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
