// The start-up data load: every game data file is read once, in a fixed order,
// before the timer starts.
#pragma once

#include "4-data/load_failure.h"

// "data.ovl" (chunk layout and locations), the graphics of the colour mode, the
// maps, the character files and the tile names of "look2.dat". False, with
// failure set, at the first essential file that cannot be used; what was loaded
// before it stays for the teardown to release.
bool loadGameData(LoadFailure &failure);

// The load's steps in their order, named for the start-up breakdown of
// bench/startup_bench; loadGameData runs them one after the other.
struct LoadStep {
    const char *name;
    bool (*load)(LoadFailure &failure);
};
const int loadStepCount = 7;
extern const LoadStep loadSteps[loadStepCount];
