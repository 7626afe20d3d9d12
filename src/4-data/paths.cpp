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
