// The program's start-up sequence, from the command line and the settings to the
// first frame. Every front end starts the game here, runs its passes
// (main_loop.h) and ends it with endGame (shutdown.h); nothing in it exits.
#pragma once

// Reads the configuration, opens the display and audio, loads the game data and
// draws the first frame. False when the program is to end before playing, with
// `status` its exit status and everything released: 0 after --help or
// --version, 2 for a bad option or settings file, 1 when the display cannot be
// opened or a data file is missing or bad (its line is on standard error).
bool startGame(int argc, char **argv, int &status);
