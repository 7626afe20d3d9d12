#include "4-data/maps.h"

#include <cstddef>

namespace {

MapCell overworldStore[worldSize * worldSize];
MapCell underworldStore[worldSize * worldSize];
MapCell towneStore[settlementLevels * levelCells];
MapCell castleStore[settlementLevels * levelCells];
MapCell keepStore[settlementLevels * levelCells];
MapCell dwellingStore[settlementLevels * levelCells];

struct StoreEntry {
    MapCell *cells;
    int count;
};

// Indexed by MapKind.
const StoreEntry stores[] = {
    {overworldStore, worldSize *worldSize},     {underworldStore, worldSize *worldSize},
    {towneStore, settlementLevels *levelCells}, {castleStore, settlementLevels *levelCells},
    {keepStore, settlementLevels *levelCells},  {dwellingStore, settlementLevels *levelCells},
};
const int storeCount = sizeof stores / sizeof stores[0];

} // namespace

MapCell *mapStore(uint8_t kind) {
    return kind < storeCount ? stores[kind].cells : nullptr;
}

int mapStoreCells(uint8_t kind) {
    return kind < storeCount ? stores[kind].count : 0;
}

bool selectMapCells(CurrentMapRecord &map, uint8_t kind, uint8_t level) {
    if (kind >= towne && kind <= dwelling && level >= settlementLevels) {
        // A level past the family's 16 would address outside the store.
        return false;
    }
    if (kind == overworld || kind == underworld) {
        map.cells = stores[kind].cells;
        map.wraps = 1;
        map.width = worldSize;
        map.height = worldSize;
    } else if (kind <= dwelling) {
        map.cells = stores[kind].cells + level * levelCells;
        map.wraps = 0;
        map.width = settlementSize;
        map.height = settlementSize;
    } else {
        map.cells = nullptr;
    }
    resetShownTiles(map);
    return true;
}

uint8_t tileAt(const CurrentMapRecord &map, uint8_t column, uint8_t row) {
    // Callers pass positions inside the map; anything else reads as tile 0 rather
    // than a cell of another level.
    if (map.cells == nullptr || column >= map.width || row >= map.height) {
        return 0;
    }
    return map.cells[row * map.width + column].shownTile;
}

int wrapCoordinate(int value, int size) {
    if (value < 0) {
        return value + size;
    }
    if (value >= size) {
        return value - size;
    }
    return value;
}

MapPosition seenPosition(const CurrentMapRecord &map, int column, int row) {
    if (map.wraps == 1) {
        column = wrapCoordinate(column, map.width);
        row = wrapCoordinate(row, map.height);
    }
    if (column < 0 || column >= map.width || row < 0 || row >= map.height) {
        return MapPosition{fillerColumn, fillerRow};
    }
    return MapPosition{column, row};
}

const MapCell *cellSeenAt(const CurrentMapRecord &map, int column, int row) {
    MapPosition seen = seenPosition(map, column, row);
    if (map.cells == nullptr || seen.column >= map.width || seen.row >= map.height) {
        return nullptr;
    }
    return &map.cells[seen.row * map.width + seen.column];
}

void resetShownTiles(CurrentMapRecord &map) {
    if (map.cells == nullptr) {
        return;
    }
    int count = map.width * map.height;
    for (int i = 0; i < count; i++) {
        map.cells[i].shownTile = map.cells[i].baseTile;
    }
}
