#include "data/essential_file.h"

#include <cstdlib>

#include "data/paths.h"
#include "shell/shutdown.h"

FILE *openEssentialFile(const char *name) {
    char *path = makeDataPath(name);
    FILE *file = path != nullptr ? fopen(path, "rb") : nullptr;
    if (file == nullptr) {
        // Copied so that the path is freed before the program ends.
        char shown[4096];
        snprintf(shown, sizeof shown, "%s", path != nullptr ? path : name);
        free(path);
        failAndExit(shown);
    }
    free(path);
    return file;
}
