// The one ordered teardown of the program: every end after the settings are read
// goes through here, the normal end with status 0 and a start-up failure with
// status 1. Each module releases what it made and copes with never having made it.
// The teardown returns the status; the front end ends the process with it.
#pragma once

#include <string>
#include <vector>

#include "4-data/load_failure.h"

// Releases everything the program made, in the fixed order.
void releaseEverything();

// Releases everything; returns status, the program's exit status.
int endGame(int status);

// The lines of a start-up failure: the one naming it, then those of `explanation`
// (when given; it may hold several, separated by newlines).
std::vector<std::string> loadFailureLines(const LoadFailure &failure, const char *explanation);

// Those lines on standard error.
void printLoadFailure(const LoadFailure &failure, const char *explanation = nullptr);

// A data file the game cannot do without is missing or unusable: its lines, then
// the teardown, with errorwindow=1 the same lines in the front end's error window
// (when it has one); returns status 1.
int failGame(const LoadFailure &failure, const char *explanation = nullptr);
