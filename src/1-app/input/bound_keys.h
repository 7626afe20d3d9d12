// Keys as bindings name them: a key symbol with the modifiers it is written with
// ("shift+f5"), read from and written as a key list writes it; the game's own
// keys of each command of the command table; whether a key may be bound.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <string>
#include <vector>

#include "2-play/commands.h"

struct KeyList;

struct BoundKey {
    SDLKey sym;
    uint16_t modifiers; // Shift 1, Ctrl 2, Alt 4; 0: the key whatever is held
};

// The modifier bits of SDL's modifier state, and back.
uint16_t modifiersHeld(SDLMod mod);
SDLMod sdlModifiers(uint16_t modifiers);

// "shift+f5", in any case: the key and its modifiers; SDLK_UNKNOWN when the key
// has no name.
BoundKey boundKeyOf(const std::string &name);

// The name as a key list writes it: "shift+f5", "comma".
std::string boundKeyName(BoundKey key);

// The keys joined as a key list writes them: "w,page up".
std::string keyNames(const std::vector<BoundKey> &keys, const char *between);

// The list holds the key with exactly these modifiers, or written alone when
// alone is true.
bool holds(const KeyList &list, SDLKey sym, uint16_t modifiers, bool alone);

// The keys of a list, in the order written.
std::vector<BoundKey> listedKeys(const KeyList &list);

// A command's own key beyond those that give its code ("f5"); SDLK_UNKNOWN: none.
BoundKey ownKeyOf(const CommandRow &command);

// The game's own keys of a command, in the order of their symbols.
std::vector<BoundKey> ownKeys(const CommandRow &command);

// A key the game keeps for itself where a command of contexts works: one a
// handler there answers, a command's own key (the display's whatever the
// modifiers).
bool isOwnKey(BoundKey key, int contexts);
