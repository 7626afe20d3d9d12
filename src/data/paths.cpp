#include "data/paths.h"

#include <cstdlib>
#include <cstring>

#include "shell/settings.h"

char *makeDataPath(const char *name) {
    // Without a data directory the files are looked for in the current directory.
    if (settings.directory == nullptr || settings.directory[0] == '\0') {
        return strdup(name);
    }
    size_t length = strlen(settings.directory) + strlen(name) + 2;
    char *path = (char *)calloc(length, 1);
    if (path == nullptr) {
        return nullptr;
    }
    strcpy(path, settings.directory);
    strcat(path, "/");
    strcat(path, name);
    return path;
}

int32_t fileSize(FILE *file) {
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    return (int32_t)size;
}
