// Opening the data files the game cannot do without: a file that cannot be opened
// or read ends the program with its path on standard error and exit status 1.
#pragma once

#include <cstdio>

// Opens the named file of the data directory for binary reading, or ends the
// program through failAndExit: also when it is a folder, FIFO or device rather
// than a regular file. The path built for it is freed either way.
FILE *openEssentialFile(const char *name);

// Closes the file; a read of it that failed ends the program instead, since a
// file read wrong must not play as an empty one.
void closeEssentialFile(FILE *file, const char *name);

// The problem named when a read of a data file fails or comes up short.
extern const char *const readProblem;

// Ends the program: the named file could not be read whole.
[[noreturn]] void failEssentialRead(const char *name);
