// Paths inside the data directory, the size of an open file and the reading of a
// whole small file: the helpers every reader of the game's data and text files uses.
#pragma once

#include <cstdint>
#include <cstdio>

// Sets the data directory for the whole run (start-up does, once it is chosen);
// nullptr or "" is none: the files are read by their bare names, from the current
// directory. The text is copied.
void setDataDirectory(const char *directory);

// The data directory; nullptr when none is set.
const char *dataDirectory();

// New malloc'ed path "<directory>/<name>"; the bare name when no directory is set.
// A name missing in that case is found in any other (findDataFile). The caller
// frees it, normally right after the open.
char *makeDataPath(const char *name);

// Size in bytes of an open file; leaves the read position at the start.
int32_t fileSize(FILE *file);

// The whole of an open file in a new malloc'ed buffer with a zero byte after what
// was read, so that a text reads as one C string; *size gets the bytes read. The
// caller frees it. nullptr (and *size 0) when the buffer cannot be had.
char *readWholeFile(FILE *file, int32_t *size);
