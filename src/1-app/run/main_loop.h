// The main loop, as passes: each pass takes one SDL event, hands it to the display
// keys, key translation or the timer tasks, then redraws the whole frame and
// presents it. The desktop program drives the passes with a loop that blocks for
// each event (native_loop.h); the browser build calls runPass from the page's
// loop.
#pragma once

#include <SDL.h>

struct Game;

// Before the first pass: a new game with the command handler on its input stack
// and its animation task, the overworld at the start position, the clock at 0,
// the frame drawn and presented, the console with its prompt, the overworld's
// music; with load=N the N-th newest save of the world instead, when there is one.
void startPlaying();

// One pass: handles the event, then draws and presents. False when the game is to
// end (nothing is drawn then; with autosave=1 the game is saved).
bool runPass(const SDL_Event *event);

// With autosave=1, saves the game now: the program is about to end without a
// last pass (the display was lost).
void saveBeforeTheEnd();

// Handles one event for the game; true when the loop is to end.
bool handleEvent(Game &game, const SDL_Event *event);
