// The desktop program's front end: a window on an SDL video mode, screenshots
// and saves as files, music streamed from its file, and a loop that sleeps until
// each event. main chooses it (useFrontEnd) before running the game.
#pragma once

#include "1-app/front_end.h"

extern const FrontEnd desktopFrontEnd;
