// The desktop's video start (its table's startVideo): SDL's timer and video, with
// a driver that draws in a window. With SDL_VIDEODRIVER unset (or empty) only the
// X11 driver is tried: Debian's SDL 1.2 would otherwise fall back to drawing the
// game as characters in the terminal, and would write to the terminal while
// trying. A driver the user names is used as it is. Failing lines are printed only
// when video truly cannot start.
#pragma once

#include <SDL.h>

// Starts the timer and video subsystems. On failure, unless quiet, one line on
// standard error: "No graphical display: ..." for the X11 driver chosen by
// default, "Video initialization failed: <SDL's reason>" for a named driver.
bool startVideo(bool quiet);

// How long the X11 driver is tried again before the display counts as unreachable,
// and the pause between tries, in ms. An X server resets itself whenever its last
// client leaves, and refuses connections while it does (up to a quarter of a
// second measured under Xvfb). SDL 1.2 opens and closes a probe connection before
// its own, so a game that is the server's only client sets off that reset itself
// and its own connection is refused; so is a game started just after another
// program left. The next try meets the server running again.
const Uint32 x11RetryTime = 2000;
const Uint32 x11RetryGap = 20;
