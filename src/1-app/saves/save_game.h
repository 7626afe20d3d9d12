// Saving and resuming: F5 and F9 (and the keys and buttons bound to them), the
// --load start, the save on quitting (autosave=1), --saves and the page's list.
// Every save is a new one, kept beside the ones before it; the oldest beyond
// the ten kept goes (save_names.h). Each names the save on standard output
// ("Game saved: <path>") and, when asked for by a key, shows a notice; a
// problem is one line on standard error and the game goes on.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct Game;

// Save the game in play, or load the newest save of this world into it (read
// anew each time). While a question is open both only say "Answer first".
void saveKey(Game &game);
void loadKey(Game &game);

// Loads the number-th newest save (1: the newest), as F9 does the newest.
void loadSaveKey(Game &game, int number);

// The SDL_USEREVENT code of a load asked for from outside the game's keys (the
// page's list): data1 carries the save's number.
const int loadSaveCode = 2;

// --load (load=N): the N-th newest save of this world, before the first frame;
// without one the start is as usual, and standard output says so. True when a
// save was resumed.
bool loadAtStart(Game &game);

// autosave=1: the game is saved as it ends.
void saveOnQuit(const Game &game);

// One save of the world as lists show it.
struct SaveListing {
    int number;        // 1: the newest
    std::string name;  // its name in the store (save_names.h)
    std::string place; // where the store keeps it, as messages name it
    bool readable;     // false: problem says why it is no save
    std::string problem;
    std::string when;   // "2026-12-07 14:02", or "" when not known
    std::string where;  // the settlement's name, the place nearby, or the map's
    int column, row;    // on that map
};

// The world's saves, newest first (the location names must be loaded).
std::vector<SaveListing> saveListing();

// "1  2026-12-07 14:02  Harrowgate  86,109"; a save that cannot be read:
// "3  not readable: <why>  <place>".
std::string saveListingLine(const SaveListing &save);

// --saves: one line a save, then no other line that starts with a digit.
void printSaveListing(FILE *out);

// The text of the number-th newest save; false with the reason.
bool saveTextOf(int number, std::string &text, std::string &problem);

// A save text from elsewhere (a file the player uploads) kept as the newest save
// when it reads as one; false with the reason.
bool addSaveText(const std::string &text, std::string &problem);

// Forgets the world's digest, so that the next save or load reads the files anew
// (for a new data directory: tests).
void forgetWorld();
