#include "4-data/tile_names.h"

#include <cstdlib>
#include <cstring>

namespace {

char **names = nullptr;
int nameCount = 0;

} // namespace

void tileNameOf(ByteView &file, int i, char name[tileNameMaxLength + 1]) {
    memset(name, 0, tileNameMaxLength + 1);
    // A name whose offset the file does not hold whole is empty.
    if (2 * (int64_t)i + 2 > file.size) {
        return;
    }
    int64_t at = viewLe16(file, 2 * i);
    for (int k = 0; k < tileNameMaxLength && at + k < file.size; k++) {
        name[k] = (char)file.data[at + k];
    }
}

void readTileNames(ByteView &file) {
    freeTileNames();
    names = (char **)calloc(tileNameCount, sizeof(char *));
    if (names == nullptr) {
        return;
    }
    nameCount = tileNameCount;
    for (int i = 0; i < tileNameCount; i++) {
        char text[tileNameMaxLength + 1];
        tileNameOf(file, i, text);
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
