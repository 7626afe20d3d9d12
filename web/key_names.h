// The browser's keys as SDL 1.2 keys: the engine compares key symbols with SDL
// 1.2's numbers (Right is 275, F1 is 282, the modifier keys lie in 303-308), so
// the web build turns each browser key event into them itself instead of using
// emscripten's SDL events, whose numbers are SDL 1.3's.
#pragma once

#include <SDL.h>

// The SDL 1.2 symbol of a browser key. `code` is KeyboardEvent.code, the key's
// place on the keyboard, which gives every key but the letters; a key whose
// KeyboardEvent.key is one Latin letter is that letter, wherever it lies (the
// player's layout, as the native game reads it), and the other letter places
// give their US letters. SDLK_UNKNOWN for a key SDL 1.2 has no
// symbol for.
SDLKey sdlKeyFor(const char *code, const char *key);

// The modifier state of a key event, from KeyboardEvent's flags.
SDLMod sdlModifiersFor(bool shift, bool ctrl, bool alt, bool meta, bool capsLock, bool numLock);
