// The display: SDL start-up, the 640x400 8-bit window with its caption, the
// palette of the colour mode and key repeat. All drawing goes into `screen`.
#pragma once

#include <SDL.h>

extern SDL_Surface *screen;

const int screenWidth = 640;
const int screenHeight = 400;

// Opens the window; ends the process with status 1 when no video mode can be set.
void initVideo();
