// The program's start-up sequence, from the command line and the settings to the
// main loop and the teardown. `main` only calls runGame.
#pragma once

[[noreturn]] void runGame(int argc, char **argv);
