// The presenter: owns the video mode (a window or the whole desktop), the place of
// the picture in it and a copy of what it last showed, and turns the game's 8-bit
// `screen` into the display's picture through the present hook.
#pragma once

#include "1-app/picture_layout.h"

// Keeps the desktop's size; SDL reports it only before the first video mode is set.
void readDesktopSize();

// Sets the video mode: a window of the scale setting, or the whole desktop. Returns
// false when SDL cannot set it.
bool openDisplay(bool fullscreen);

// Switches between window and full screen, restoring the old mode when the new one
// cannot be set. Returns false when neither can be set (there is no display left).
bool toggleFullscreen();

bool displayIsFullscreen();
const PictureLayout &displayLayout();

// Frees what the presenter made; the video surface itself belongs to SDL.
void closeDisplay();
