// Opening the data files the game cannot do without: a file that cannot be opened
// ends the program with its path on standard error and exit status 1.
#pragma once

#include <cstdio>

// Opens the named file of the data directory for binary reading, or ends the
// program through failAndExit. The path built for it is freed either way.
FILE *openEssentialFile(const char *name);
