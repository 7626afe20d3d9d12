// How the graphics loaders end the program on a file they cannot use: one line on
// standard error naming the file, then the ordered teardown with exit status 1.
#pragma once

#include <cstddef>

// The problem named when SDL cannot make or enlarge a decoded surface.
extern const char *const surfaceProblem;

// A new path inside the data directory for a graphics file; never nullptr.
char *graphicsPath(const char *name);

// Zeroed memory for a store array; ends the program naming the file it is for.
void *allocateOrFail(size_t count, size_t size, const char *path);

// Frees path (a graphicsPath result) and ends the program naming it; a nullptr
// problem means the file could not be opened.
[[noreturn]] void failGraphicsFile(char *path, const char *problem);

// The problem to name after loadLzwFile refused a file with result: nullptr when
// it could not be opened. Told from the load's own result, so that a path is
// never opened a second time.
const char *compressedFileProblem(int result);

// After loadLzwFile refused path with result: as failGraphicsFile.
[[noreturn]] void failCompressedFile(char *path, int result);
