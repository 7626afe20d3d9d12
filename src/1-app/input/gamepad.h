// The gamepad, through SDL 1.2's joystick subsystem: the first pad found at start
// is opened without any set-up (SDL 1.2 has no hot-plug: a pad plugged in later is
// used from the next start, and one pulled out simply goes quiet). Its hat and
// left stick walk, repeating like a held key; its buttons give the commands of the
// button_... settings. joystick=0 leaves every pad alone.
#pragma once

#include <SDL.h>

// The code of the SDL_USEREVENT that repeats a held direction (the timer's is 0).
const int padRepeatCode = 1;

// Starts the joystick subsystem and opens the first pad, naming it on standard
// output; nothing at all with joystick=0, and without a pad nothing is said.
void openGamepad();

// Stops the repeat and closes the pad; part of the ordered teardown.
void closeGamepad();

// Stops walking in a held direction until the stick or hat moves again: the
// window lost the focus, and the player no longer sees the steps.
void releaseHeldDirection();

struct Game;

// A joystick event, or the repeat event, for the game in play; anything else
// changes nothing. True when the game is to end (the quit question answered yes).
bool handlePadEvent(Game &game, const SDL_Event *event);
