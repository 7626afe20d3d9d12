// Paths inside the data directory and the size of an open file: the two helpers
// every reader of the game's data files uses.
#pragma once

#include <cstdint>
#include <cstdio>

// New malloc'ed path "<directory>/<name>"; the bare name when no directory is set.
// A name missing in that case is found in any other (findDataFile). The caller
// frees it, normally right after the open.
char *makeDataPath(const char *name);

// Size in bytes of an open file; leaves the read position at the start.
int32_t fileSize(FILE *file);
