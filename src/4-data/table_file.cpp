#include "4-data/table_file.h"

#include <cstdlib>
#include <cstring>

#include "4-data/paths.h"

LocationRecord locations[locationCount];
uint8_t *chunkLayout = nullptr;

namespace {

// Reads n bytes at offset into out; bytes past the end of the file read as 0.
void readAt(FILE *file, long offset, uint8_t *out, size_t n) {
    memset(out, 0, n);
    if (fseek(file, offset, SEEK_SET) == 0) {
        size_t got = fread(out, 1, n, file);
        (void)got;
    }
}

// One text line of at most 15 characters: stops after a newline, which stays part
// of the name; the name ends at the first zero byte.
void readNameLine(FILE *file, long offset, char *name) {
    memset(name, 0, locationNameLength + 2);
    if (offset >= fileSize(file) || fseek(file, offset, SEEK_SET) != 0) {
        return;
    }
    for (int i = 0; i < locationNameLength; i++) {
        int c = fgetc(file);
        if (c == EOF) {
            return;
        }
        name[i] = (char)c;
        if (c == '\n') {
            return;
        }
    }
}

} // namespace

void readChunkLayout(FILE *file) {
    freeChunkLayout();
    chunkLayout = (uint8_t *)malloc(chunkLayoutSize);
    if (chunkLayout != nullptr) {
        readAt(file, chunkLayoutOffset, chunkLayout, chunkLayoutSize);
    }
}

void freeChunkLayout() {
    free(chunkLayout);
    chunkLayout = nullptr;
}

void readLocations(FILE *file) {
    freeLocationNames();
    for (LocationRecord &l : locations) {
        l.column = 0;
        l.row = 0;
    }
    for (int i = 0; i < locationCount; i++) {
        uint8_t position[2];
        readAt(file, namePositionsOffset + 2 * i, position, 2);
        locations[i].name = (char *)calloc(locationNameLength + 2, 1);
        if (locations[i].name != nullptr) {
            long at = position[0] + 256L * position[1] + namePositionBias;
            readNameLine(file, at, locations[i].name);
        }
    }
    uint8_t columns[locationCount];
    uint8_t rows[locationCount];
    readAt(file, locationColumnsOffset, columns, locationCount);
    readAt(file, locationRowsOffset, rows, locationCount);
    for (int i = 0; i < locationCount; i++) {
        locations[i].column = columns[i];
        locations[i].row = rows[i];
    }
}

void freeLocationNames() {
    for (LocationRecord &l : locations) {
        free(l.name);
        l.name = nullptr;
    }
}
