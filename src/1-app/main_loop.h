// The blocking event loop: each pass redraws the whole frame, presents it and waits
// for exactly one SDL event, which it hands to the display keys, key translation
// or the timer tasks.
#pragma once

#include <SDL.h>

// Runs until the window is closed or the quit key is pressed.
void runMainLoop();

// Handles one event; returns -1 when the loop is to end, otherwise 0.
int handleEvent(const SDL_Event *event);
