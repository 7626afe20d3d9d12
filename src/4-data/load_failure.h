// What a loader could not do, handed up to start-up: the data file as the message
// names it and the problem. Loaders never end the program; start-up alone prints
// the failure and ends it, after every module has released what it made.
#pragma once

#include <string>

struct LoadFailure {
    std::string path;    // the file as the message names it
    std::string problem; // empty: the file cannot be opened (missing or not a file)
};

// The problems named most often.
extern const char *const readProblem;    // a read failed or came up short of the size
extern const char *const memoryProblem;  // a buffer could not be had
extern const char *const surfaceProblem; // SDL could not make or enlarge a surface

// Fills failure; returns false, so that a loader can end with `return failLoad(...)`.
bool failLoad(LoadFailure &failure, const std::string &path, const std::string &problem = "");

// The line that names the failure: "Cannot open data file '<path>'" or
// "Bad data file '<path>': <problem>" (without a newline), safe for a terminal.
std::string loadFailureLine(const LoadFailure &failure);
