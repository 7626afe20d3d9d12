#include "4-data/data_file.h"

#include <cstdlib>

#include "4-data/paths.h"
#include "4-data/regular_file.h"

std::string dataFilePath(const char *name) {
    char *path = makeDataPath(name);
    std::string shown = path != nullptr ? path : name;
    free(path);
    return shown;
}

bool readEssentialFile(const char *name, int64_t limit, std::vector<uint8_t> &bytes,
                       LoadFailure &failure) {
    std::string path = dataFilePath(name);
    FileRefusal why = readRegularFile(path.c_str(), limit, bytes);
    if (why == fileAccepted) {
        return true;
    }
    return failLoad(failure, path, why == fileUnreadable ? readProblem : "");
}

bool readOptionalFile(const char *name, int64_t limit, std::vector<uint8_t> &bytes) {
    std::string path = dataFilePath(name);
    FileRefusal why = readRegularFile(path.c_str(), limit, bytes);
    if (why == fileNotRegular) {
        warnNotRegularFile("data file", path.c_str());
    }
    return why == fileAccepted;
}
