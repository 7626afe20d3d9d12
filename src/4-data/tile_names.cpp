#include "4-data/tile_names.h"

#include <cstdlib>
#include <cstring>

#include "4-data/paths.h"

namespace {

char **names = nullptr;
int nameCount = 0;

} // namespace

void readTileNames(FILE *file) {
    freeTileNames();
    names = (char **)calloc(tileNameCount, sizeof(char *));
    if (names == nullptr) {
        return;
    }
    nameCount = tileNameCount;
    int32_t size = fileSize(file);
    for (int i = 0; i < tileNameCount; i++) {
        char text[tileNameMaxLength + 1] = {};
        uint8_t offset[2] = {};
        fseek(file, 2 * i, SEEK_SET);
        if (fread(offset, 1, 2, file) == 2) {
            long at = offset[0] + 256 * offset[1];
            if (at < size) {
                fseek(file, at, SEEK_SET);
                size_t got = fread(text, 1, tileNameMaxLength, file);
                text[got] = '\0';
            }
        }
        names[i] = strdup(text); // up to the first zero byte, at most 31 characters
    }
}

void freeTileNames() {
    if (names == nullptr) {
        return;
    }
    for (int i = 0; i < nameCount; i++) {
        free(names[i]);
    }
    free(names);
    names = nullptr;
    nameCount = 0;
}

const char *tileName(int i) {
    if (names == nullptr || i < 0 || i >= nameCount || names[i] == nullptr) {
        return "";
    }
    return names[i];
}
