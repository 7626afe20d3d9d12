// The keys the display answers before the game sees them: Alt+Enter (window or
// full screen), F12 (screenshot), F1 (keys list) and the key that closes it.
#pragma once

#include <SDL.h>

// The display's own keys, whatever modifiers are held.
const SDLKey screenshotKey = SDLK_F12;
const SDLKey keysListKey = SDLK_F1;

enum DisplayKeyResult {
    keyForGame = 1, // not a display key: the game's key translation gets it
    keyTaken = 0,
    keyEndsGame = -1, // Alt+x closing the keys list, or no display left
};

DisplayKeyResult handleDisplayKey(const SDL_KeyboardEvent *event);
