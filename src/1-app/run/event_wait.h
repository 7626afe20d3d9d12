// The native loop's wait for its next event. On a display with a connection to
// wait on (X11) the game sleeps until the display sends something or the next
// 250 ms tick falls due, and keeps the ticks itself; elsewhere (the dummy driver,
// displays without a connection, and whenever a gamepad is open) it waits as SDL
// does, with SDL's tick timer.
#pragma once

#include <SDL.h>

// Like SDL_WaitEvent: fills event with the next event (a tick is an SDL_USEREVENT
// of code 0, as the tick timer posts) and returns 1; 0 on an error.
int waitForEvent(SDL_Event *event);
