#include "data/paths.h"

#include <cstdlib>

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
