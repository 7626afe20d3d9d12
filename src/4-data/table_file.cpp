#include "4-data/table_file.h"

#include <cstdlib>
#include <cstring>

LocationRecord locations[locationCount];

void chunkLayoutOf(ByteView &table, uint8_t layout[chunkLayoutSize]) {
    viewCopy(table, chunkLayoutOffset, layout, chunkLayoutSize);
}

void locationNameOf(ByteView &table, int i, char name[locationNameLength + 2]) {
    memset(name, 0, locationNameLength + 2);
    int64_t at = viewLe16(table, namePositionsOffset + 2 * i) + namePositionBias;
    for (int k = 0; k < locationNameLength && at + k < table.size; k++) {
        name[k] = (char)table.data[at + k];
        if (name[k] == '\n') {
            return;
        }
    }
}

int locationColumnOf(ByteView &table, int i) {
    return viewByte(table, locationColumnsOffset + i);
}

int locationRowOf(ByteView &table, int i) {
    return viewByte(table, locationRowsOffset + i);
}

void readLocations(ByteView &table) {
    freeLocationNames();
    for (int i = 0; i < locationCount; i++) {
        locations[i].name = (char *)calloc(locationNameLength + 2, 1);
        if (locations[i].name != nullptr) {
            locationNameOf(table, i, locations[i].name);
        }
        locations[i].column = locationColumnOf(table, i);
        locations[i].row = locationRowOf(table, i);
    }
}

void freeLocationNames() {
    for (LocationRecord &l : locations) {
        free(l.name);
        l.name = nullptr;
    }
}
