#include "4-data/essential_file.h"

#include <cstdint>
#include <cstdlib>

#include "1-app/shutdown.h"
#include "4-data/paths.h"
#include "4-data/regular_file.h"

const char *const readProblem = "read error";

namespace {

// Copied so that the path is freed before the program ends.
[[noreturn]] void failWithPath(const char *name, const char *problem) {
    char *path = makeDataPath(name);
    char shown[4096];
    snprintf(shown, sizeof shown, "%s", path != nullptr ? path : name);
    free(path);
    failAndExit(shown, problem);
}

} // namespace

FILE *openEssentialFile(const char *name) {
    char *path = makeDataPath(name);
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = path != nullptr ? openRegularFile(path, &size, &why) : nullptr;
    free(path);
    if (file == nullptr) {
        failWithPath(name, nullptr);
    }
    return file;
}

void closeEssentialFile(FILE *file, const char *name) {
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) {
        failEssentialRead(name);
    }
}

void failEssentialRead(const char *name) {
    failWithPath(name, readProblem);
}
