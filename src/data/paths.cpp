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

char *readWholeFile(FILE *file, int32_t *size) {
    int32_t length = fileSize(file);
    if (length < 0) {
        length = 0;
    }
    char *bytes = (char *)malloc((size_t)length + 1);
    if (bytes == nullptr) {
        *size = 0;
        return nullptr;
    }
    *size = (int32_t)fread(bytes, 1, (size_t)length, file);
    bytes[*size] = '\0';
    return bytes;
}

char *readTextFile(const char *path) {
    FILE *file = fopen(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    int32_t size;
    char *text = readWholeFile(file, &size);
    fclose(file);
    return text;
}
