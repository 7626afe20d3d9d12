// The one ordered teardown of the program: every exit after the settings are read
// goes through here, the normal end with status 0 and a data failure with status 1.
#pragma once

// How the teardown ends the process: exit by default. A fuzz target or test puts
// its own here (a jump back, for example) to take a refused start-up as an
// ordinary outcome; should it return, the process exits all the same.
extern void (*processExit)(int status);

// Releases everything in the fixed order and ends the process with status 0.
[[noreturn]] void shutdownAndExit();

// A data file the game cannot do without is missing or unusable: one line on
// standard error naming the path, then the same teardown and exit status 1.
// With problem nullptr the line reads "Cannot open data file '<path>'";
// otherwise "Bad data file '<path>': <problem>".
[[noreturn]] void failAndExit(const char *path, const char *problem = nullptr);

// The same for a data file found missing before any window opens: the line
// "Cannot open data file '<path>'", then explanation on a line of its own.
[[noreturn]] void failWithExplanation(const char *path, const char *explanation);
