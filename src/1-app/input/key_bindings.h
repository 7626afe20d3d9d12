// What the player's keys and gamepad buttons do beyond the game's own keys: one
// table of the commands a key_... or button_... setting gives (walk, pass, enter,
// klimb, look, the two answers, save, load, the keys list, quit), each with the
// places it works in. The game's own keys always stay and win over a binding.
// Key lists are read from the settings file here, with a warning for each name
// that cannot be bound; the keys in force are listed for --help and F1.
#pragma once

#include <SDL.h>
#include <cstdio>
#include <string>
#include <vector>

#include "2-play/game_keys.h"

struct SettingRow;

// Where a key or button takes effect: the handler on top of the input stack.
enum KeyContext {
    inCommands = 1,        // the command handler
    inDirectionPrompt = 2, // a direction after Look or Klimb
    inQuestion = 4,        // a yes/no question
};

struct Game;

int currentContext(const Game &game);

// Whether the handler of context answers the game key itself.
bool contextAnswers(int context, GameKey code);

enum PlayerAction {
    noAction, // no command here
    giveGameKey,
    saveAction,
    loadAction,
    keysListAction,
    quitAction, // asks "Quit? (y/n)"
};

struct Meaning {
    PlayerAction action;
    GameKey code; // the game key handed to the handler on top (giveGameKey)
};

// A key pressed in the current context, code being its own game key (neither
// dropped nor the quit key): that code when the handler answers it, save and
// load for their own keys, else the first binding of the context that holds the
// key, else noAction.
Meaning meaningOfKey(const Game &game, SDLKey sym, GameKey code);

// A gamepad button in the current context: the first command of the context
// whose button setting names it, else noAction.
Meaning meaningOfButton(const Game &game, int button);

// The settings file's handler for a key list: the keys named, in order. A name
// SDL does not know, a key the game never gets (Tab, Shift alone) and one of the
// game's own keys where the command works are left out with a warning at the
// line.
void readKeyList(const SettingRow &row, const char *value);

// After the settings file: a key bound to two commands that work in the same
// place is named at the line of the later one; the first in the keys table wins.
void warnAboutTwiceBoundKeys(const char *path);

// --help: each command that takes keys, with its own keys and the ones added.
void printKeysInForce(FILE *out);

// F1: one line for each command keys were added to, "<keys> <Command>", the
// keys cut to nameWidth characters.
std::vector<std::string> addedKeyLines(int nameWidth);

// F1 with a gamepad: one line for each button that has a command, "<n> <Command>".
std::vector<std::string> buttonLines();
