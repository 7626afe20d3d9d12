#include "4-data/paths.h"

#include <cstdlib>

#include "4-data/file_names.h"
#include <string>

namespace {

std::string directoryText;
bool directorySet = false;

} // namespace

void setDataDirectory(const char *directory) {
    directorySet = directory != nullptr;
    directoryText = directorySet ? directory : "";
}

const char *dataDirectory() {
    return directorySet ? directoryText.c_str() : nullptr;
}

char *makeDataPath(const char *name) {
    // Without a data directory the files are looked for in the current directory.
    return findDataFile(dataDirectory(), name);
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
