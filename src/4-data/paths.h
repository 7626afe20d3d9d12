// The data directory and the paths inside it that every reader of the game's data
// files uses.
#pragma once

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
