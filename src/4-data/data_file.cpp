#include "4-data/data_file.h"

#include <cstdlib>

#include "4-data/file_formats.h"
#include "4-data/paths.h"
#include "4-data/regular_file.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"

std::string dataFilePath(const char *name) {
    char *path = makeDataPath(name);
    std::string shown = path != nullptr ? path : name;
    free(path);
    return shown;
}

bool readEssentialFile(const char *name, int64_t limit, std::vector<uint8_t> &bytes,
                       LoadFailure &failure) {
    std::string path = dataFilePath(name);
    int64_t size = 0;
    FileRefusal why = readRegularFile(path.c_str(), limit, bytes, &size);
    if (why == fileAccepted) {
        warnIfLong(path.c_str(), size, limit);
        return true;
    }
    return failLoad(failure, path, why == fileUnreadable ? readProblem : "");
}

bool readOptionalFile(const char *name, int64_t limit, std::vector<uint8_t> &bytes) {
    std::string path = dataFilePath(name);
    int64_t size = 0;
    FileRefusal why = readRegularFile(path.c_str(), limit, bytes, &size);
    if (why == fileNotRegular) {
        warnNotRegularFile("data file", path.c_str());
    }
    if (why == fileAccepted) {
        warnIfLong(path.c_str(), size, limit);
    }
    return why == fileAccepted;
}

int64_t dataFileReadLimit(const std::string &name) {
    if (name == tableFileName) {
        return tableFileReadLimit;
    }
    if (name == tileNameFileName) {
        return tileNameFileReadLimit;
    }
    if (name == overworldFileName || name == underworldFileName) {
        return worldFileReadLimit;
    }
    if (name == textFontFileName || name == runeFontFileName) {
        return fontFileSize;
    }
    for (uint8_t kind : npcFileOrder) {
        if (name == settlementMapFileName(kind)) {
            return settlementFileReadLimit;
        }
        if (name == characterFileName(kind)) {
            return npcFileSize;
        }
    }
    return 0;
}
