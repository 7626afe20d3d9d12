// Saving and resuming: F5 and F9 (and the keys and buttons bound to them), the
// --load start and the save on quitting (autosave=1). Each names the save on
// standard output ("Game saved: <path>") and, when asked for by a key, shows a
// notice; a problem is one line on standard error and the game goes on.
#pragma once

struct Game;

// Save the game in play, or load the save of this world into it (read anew each
// time). While a question is open both only say "Answer first".
void saveKey(Game &game);
void loadKey(Game &game);

// --load: the save of this world, before the first frame; without one the start
// is as usual, and standard output says so. True when a save was resumed.
bool loadAtStart(Game &game);

// autosave=1: the game is saved as it ends.
void saveOnQuit(const Game &game);

// Forgets the world's digest, so that the next save or load reads the files anew
// (for a new data directory: tests).
void forgetWorld();
