// What the player's keys and gamepad buttons do beyond the game's own keys, by
// the command table (2-play/commands.h): a key_... setting adds keys to a
// command, a button_... setting gives it a button, each working where the
// command works. The game's own keys always stay and win over a binding; a
// binding written with modifiers ("shift+f5") takes that key only with exactly
// those modifiers held, and wins over the game's own key of another command.
// The keys in force are listed for --help and F1 (the settings file's key lists
// are read by config/key_lists.h).
#pragma once

#include <SDL.h>
#include <cstdio>
#include <string>
#include <vector>

#include "2-play/commands.h"
#include "2-play/game_keys.h"

struct Game;

struct Meaning {
    PlayerAction action;
    GameKey code; // the game key handed to the handler on top (giveGameKey)
};

// A key pressed in the current context with the modifiers mod, code being its
// own game key (neither dropped nor the quit key): that code when the handler
// answers it, else a binding with exactly these modifiers, else the action of a
// command's own key (save and load), else the first binding of the context that
// holds the key alone, else noAction.
Meaning meaningOfKey(const Game &game, SDLKey sym, SDLMod mod, GameKey code);

// A gamepad button in the current context: the first command of the context
// whose button setting names it, else noAction.
Meaning meaningOfButton(const Game &game, int button);

// --help: each command that takes keys, with its own keys and the ones added.
void printKeysInForce(FILE *out);

// F1: one line for each command keys were added to, "<keys> <Command>", the
// keys cut to nameWidth characters.
std::vector<std::string> addedKeyLines(int nameWidth);

// F1 with a gamepad: one line for each button that has a command, "<n> <Command>".
std::vector<std::string> buttonLines();
