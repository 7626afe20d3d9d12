// The game's frame: the 640x400 8-bit surface all drawing goes into, and the hooks
// through which drawing asks for it to be shown now and held a moment (the
// console at each scroll step). The application makes the surface and sets the
// hooks; drawing only uses them.
#pragma once

#include <SDL.h>

// The frame all drawing code draws into: a software surface the game owns.
extern SDL_Surface *screen;

const int screenWidth = 640;
const int screenHeight = 400;

// Shows `screen` on the display; nullptr until a display is open.
extern void (*presentHook)();

// Puts the frame on the display now, through the hook (nothing without one).
void presentNow();

// Holds what the display shows for a while, so that the player sees one step
// before the next; nullptr where nothing can show before the pass ends (the
// browser's page) or without a display: there is then nothing to hold.
extern void (*pauseHook)(Uint32 milliseconds);

// Holds the shown frame through the hook (nothing without one).
void pauseShown(Uint32 milliseconds);
