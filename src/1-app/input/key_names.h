// The names of the keys, as SDL 1.2 names them ("w", "up", "[8]", "f5", "page up",
// "world 64"): the program's own copy, since SDL answers them only once video runs
// and the settings file and --help are read before. A key list in the settings
// names keys this way, with "comma" for the comma that separates the names.
#pragma once

#include <SDL.h>

// The name of a key symbol, or nullptr for a symbol SDL has no name for.
const char *keyName(SDLKey sym);

// The name as a key list writes it: "comma" for the comma key, else keyName.
const char *listedKeyName(SDLKey sym);

// The key of a name, in any case of its letters ("F5", "Page Up"), "comma"
// included; SDLK_UNKNOWN for no key.
SDLKey keyOfName(const char *name);
