// Which data directory the game reads, and why: the command line, the settings
// file, or when neither names one, the first of the current directory (when it
// holds data.ovl), the per-user data folder and the installed demo world. Before
// any window opens the essential files are checked there, so that a player
// without data is told where the program looked and what to do next.
#pragma once

enum DataSource {
    dataFromCommandLine,
    dataFromSettingsFile,
    dataFromCurrentDirectory,
    dataFromUserFolder,
    dataFromInstalledDemo,
    dataNotFound, // nothing found: the current directory, as without any lookup
};

struct DataChoice {
    DataSource source;
    char shown[4096]; // the directory in use as an absolute path
};

extern const DataChoice &dataChoice;

// Completes settings.directory when neither the command line (givenOnCommandLine)
// nor the settings file named one, and prints "Data: <absolute path>" on
// standard output.
void chooseDataDirectory(bool givenOnCommandLine);

#include <string>

#include "4-data/load_failure.h"

// Each essential file of the colour mode, in the loaders' order, must be there
// (in any case of its name) and be an ordinary file this user may read. False for
// the first that is not: failure names it as the loaders would ("Cannot open data
// file '<path>'") and explanation tells where the directory came from and how to
// check it, after a line with the number of the other files missing when there
// are more.
bool checkEssentialFiles(LoadFailure &failure, std::string &explanation);
