// Key translation: turns an SDL key-down event into a GameKey, drops the keys
// that mean nothing, and carries out what the rest mean where they are pressed
// (key_bindings.h): mostly the GameKey handed to the handler on top of the input
// stack.
#pragma once

#include <SDL.h>

#include "2-play/game_keys.h"

struct Game;

// Carries out a key pressed in the game in play. True when the program is to end
// (the quit key).
bool translateKey(Game &game, const SDL_KeyboardEvent *event);
