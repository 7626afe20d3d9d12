// The game keys of the keyboard: a key symbol with the modifiers held gives the
// GameKey the handlers receive, changed by the first modifier held (Shift, Ctrl,
// Alt) for letters; the cursor keys and the keypad give the four direction codes.
#pragma once

#include <SDL.h>

#include "2-play/game_keys.h"

// The GameKey for a key symbol and modifier state, or -1 when the key is dropped
// (Tab, the modifier keys themselves). Dispatches nothing.
GameKey gameKeyFor(SDLKey sym, SDLMod mod);
