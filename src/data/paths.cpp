#include "data/paths.h"

#include "data/file_names.h"
#include "shell/settings.h"

char *makeDataPath(const char *name) {
    // Without a data directory the files are looked for in the current directory.
    return findDataFile(settings.directory, name);
}

int32_t fileSize(FILE *file) {
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    return (int32_t)size;
}
