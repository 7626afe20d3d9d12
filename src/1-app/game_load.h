// The start-up data load: every game data file is read once, in a fixed order,
// before the timer starts.
#pragma once

#include "4-data/load_failure.h"

// "data.ovl" (chunk layout and locations), the graphics of the colour mode, the
// maps, the character files and the tile names of "look2.dat". False, with
// failure set, at the first essential file that cannot be used; what was loaded
// before it stays for the teardown to release.
bool loadGameData(LoadFailure &failure);
