// What the keys list tells of the player's input besides the bindings: the last
// key and the last gamepad button that had no command where they were pressed,
// and whether a pad is open. Key translation and the gamepad note them here; the
// keys list and the loop's wait read them.
#pragma once

#include <SDL.h>

void noteKeyWithoutCommand(SDLKey sym);
// SDLK_UNKNOWN before any.
SDLKey lastKeyWithoutCommand();

void noteButtonWithoutCommand(int button);
// -1 before any.
int lastButtonWithoutCommand();

void notePadInUse(bool inUse);
// True while a pad is open.
bool padInUse();
