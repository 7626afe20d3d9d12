// The one ordered teardown of the program: every end after the settings are read
// goes through here, the normal end with status 0 and a start-up failure with
// status 1. Each module releases what it made and copes with never having made it.
// The teardown returns the status; the front end ends the process with it.
#pragma once

#include "4-data/load_failure.h"

// Releases everything the program made, in the fixed order.
void releaseEverything();

// Releases everything; returns status, the program's exit status.
int endGame(int status);

// The line naming a start-up failure on standard error, then `explanation` (when
// given) on a line of its own.
void printLoadFailure(const LoadFailure &failure, const char *explanation = nullptr);

// A data file the game cannot do without is missing or unusable: its line (and
// explanation), then the teardown; returns status 1.
int failGame(const LoadFailure &failure, const char *explanation = nullptr);
