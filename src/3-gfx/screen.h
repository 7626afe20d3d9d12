// The game's frame: the 640x400 8-bit surface all drawing goes into, and the hooks
// through which drawing asks for it to be shown now and held a moment (the
// console at each scroll step). The application makes the surface and hands over
// the hooks while a display is open; drawing only uses them.
#pragma once

#include <SDL.h>

// The frame all drawing code draws into: a software surface the game owns.
extern SDL_Surface *screen;

const int screenWidth = 640;
const int screenHeight = 400;

// The hooks: present shows `screen` on the display; pause holds what the display
// shows for a while, so that the player sees one step before the next. Either
// may be nullptr: no display is open, or (pause) nothing can show before the pass
// ends (the browser's page), so there is nothing to hold.
void useScreenHooks(void (*present)(), void (*pause)(Uint32 milliseconds));

// Puts the frame on the display now, through the hook (nothing without one).
void presentNow();

// Holds the shown frame through the hook (nothing without one).
void pauseShown(Uint32 milliseconds);
