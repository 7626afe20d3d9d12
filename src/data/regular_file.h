// Opening a file that must be an ordinary file: a folder, FIFO, socket or device
// in its place is refused without blocking (a FIFO with no writer would otherwise
// hang the open or the read for ever), and the file is opened only once.
#pragma once

#include <cstdio>

enum FileOpenProblem {
    fileOpened,
    fileMissing,    // no such file (or a path through something not a folder)
    fileNotRegular, // a folder, FIFO, socket or device
    fileUnreadable, // exists but cannot be opened (permissions, ...)
};

// Opens path for binary reading; nullptr with the reason in problem otherwise.
FILE *openRegularFile(const char *path, FileOpenProblem *problem);

// The reason as words for a message: "no such file", "not a regular file", ...
const char *fileOpenProblemText(FileOpenProblem problem);

// True when path names an ordinary file (following symbolic links).
bool isRegularFile(const char *path);
