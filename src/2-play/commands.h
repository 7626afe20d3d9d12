// Every command of the game in one table: for each its game key, its own keys,
// the settings that add keys to it (key_...) and give it a gamepad button
// (button_...), its lines in the keys list, where it works (the command prompt,
// a direction prompt, a yes/no question), its button on the page's touch pad and
// its handler. Key bindings, the keys list (F1), the settings table, --help and
// the page's pad are all made from it. The main command handler, at the bottom
// of the input stack for the whole run, answers the rows that have a handler.
#pragma once

#include <cstdint>

#include "2-play/game_keys.h"

struct Game;

// Where a command takes effect: the handler on top of the input stack.
enum KeyContext {
    inCommands = 1,        // the command handler
    inDirectionPrompt = 2, // a direction after Look or Klimb
    inQuestion = 4,        // a yes/no question
};
const int moving = inCommands | inDirectionPrompt;
const int everywhere = inCommands | inDirectionPrompt | inQuestion;

// What a command does when its key or button is pressed.
enum PlayerAction {
    noAction, // no command here
    giveGameKey,
    saveAction,
    loadAction,
    keysListAction,
    quitAction,    // asks "Quit? (y/n)"
    displayAction, // the display's own keys (full screen, screenshot): listed only
};

const GameKey noCode = -1;

// A command's handler in the command handler: answers whether it finished its
// exchange (a finished command has taken one minute of game time).
typedef bool (*CommandHandler)(Game &game, GameKey key);

// A button of the page's touch pad: the key the page hands the game (the
// browser's names: "ArrowUp", "e", " "), its code and its label.
struct PadButton {
    const char *key; // nullptr: no button
    const char *code;
    const char *label;
};

struct CommandRow {
    const char *label; // "Klimb": the gamepad list of F1 and warnings
    PlayerAction action;
    GameKey code;     // giveGameKey: the game key handed to the handler on top
    GameKey alsoCode; // another game key that does the same (Esc answers No); noCode
    // The command's own key beyond those the key translation gives the code
    // ("f5"), with modifiers as a binding writes them ("alt+x"); nullptr: none.
    const char *ownKey;
    int contexts;              // where it works
    const char *keySetting;    // "key_klimb": keys added to it; nullptr: none
    const char *buttonSetting; // "button_klimb": its gamepad button; nullptr: none
    int32_t defaultButton;
    // Its lines in the keys list: the keys as shown (lines split by '\n') and
    // what they do; nullptr when another row's line covers it.
    const char *listedKeys;
    const char *listedAs;
    PadButton pad[2];       // its buttons on the page's touch pad
    CommandHandler handler; // in the command handler; nullptr: answered elsewhere
};

// In order of precedence: a key or button given to two commands that work in the
// same place does the first.
const int commandCount = 16;
extern const CommandRow (&commandRows)[commandCount];

// The main command handler: the bottom input handler; its argument is 0 and
// unused. Keys it does not know (capital letters included) are ignored without a
// message.
void mainCommandHandler(Game &game, GameKey key, intptr_t argument);

// Whether the command handler has a command for the key.
bool isCommandKey(GameKey key);

// The context of the handler on top of the game's input stack (the command
// handler when the stack is empty).
int currentContext(const Game &game);

// Whether the handler of context answers the game key itself.
bool contextAnswers(int context, GameKey code);

// Results of tryMove.
const int moved = 0;
const int moveOffEdge = 255;

// One step in a direction. World maps wrap at their edges; on a settlement level
// a step off the edge leaves the position as it was and answers moveOffEdge.
int tryMove(Game &game, GameKey direction);
