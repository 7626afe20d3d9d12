// The desktop's wait for the native loop's next event (its table's
// waitForEvent). On a display with a connection to wait on (X11) the game sleeps
// until the display sends something or the next 250 ms tick falls due, and keeps
// the ticks itself; elsewhere (the dummy driver, displays without a connection,
// and whenever a gamepad is open) it waits as SDL does, with SDL's tick timer.
#pragma once

#include <SDL.h>

// Fills event with the next event (a tick is an SDL_USEREVENT of code 0, as the
// tick timer posts); false on an error, where SDL_WaitEvent gives 0.
bool waitForEvent(SDL_Event *event);
