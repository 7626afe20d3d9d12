// The display: SDL start-up, the game's 640x400 8-bit frame `screen` with the
// palette of the colour mode, the window with its caption and icon, and key repeat.
// All drawing goes into `screen`; the presenter puts it in the window.
#pragma once

#include "3-gfx/screen.h"

// A held key repeats after keyRepeatDelay, then every keyRepeatInterval (ms); a
// held gamepad direction repeats the same way.
const int keyRepeatDelay = 500;
const int keyRepeatInterval = 50;

// Starts video (the front end's startVideo), makes `screen` and opens the window;
// false when video cannot start or no video mode can be set, after one line on
// standard error.
bool initVideo();

// "Video initialization failed: <SDL's reason>" on standard error, with words of
// its own when SDL gives no reason (sdl12-compat may give none).
void sayVideoFailed();

// Gives the window the hero's sprite as its icon, once the tiles are loaded.
void setWindowIcon();

// Closes the display and frees `screen` and the frame with overlays; part of the
// ordered teardown.
void closeVideo();
