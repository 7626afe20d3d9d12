#include "3-gfx/load_failure.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "1-app/shutdown.h"
#include "4-data/essential_file.h"
#include "4-data/lzw.h"
#include "4-data/paths.h"

const char *const surfaceProblem = "cannot create a surface";

namespace {

// The teardown never returns, so the path's text is kept here and its memory
// released before the program ends.
char failedPath[4096];

} // namespace

char *graphicsPath(const char *name) {
    char *path = makeDataPath(name);
    if (path == nullptr) {
        failAndExit(name, "out of memory");
    }
    return path;
}

void *allocateOrFail(size_t count, size_t size, const char *path) {
    void *memory = calloc(count, size);
    if (memory == nullptr) {
        failAndExit(path, "out of memory");
    }
    return memory;
}

void failGraphicsFile(char *path, const char *problem) {
    snprintf(failedPath, sizeof failedPath, "%s", path);
    free(path);
    failAndExit(failedPath, problem);
}

const char *compressedFileProblem(int result) {
    if (result == lzwNotCompressed) {
        return "not a valid LZW-compressed file";
    }
    return result == lzwUnreadable ? readProblem : nullptr;
}

void failCompressedFile(char *path, int result) {
    failGraphicsFile(path, compressedFileProblem(result));
}
