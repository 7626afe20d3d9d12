#include "4-data/maps.h"

#include <cstddef>

CurrentMapRecord CurrentMap = {nullptr, 0, 0, 0};
PlayerStateRecord PlayerState = {};

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

void selectMap(uint8_t kind, uint8_t level) {
    if (kind >= towne && kind <= dwelling && level >= settlementLevels) {
        // A level past the family's 16 would address outside the store.
        return;
    }
    PlayerState.mapKind = kind;
    if (kind == overworld || kind == underworld) {
        CurrentMap.cells = stores[kind].cells;
        CurrentMap.wraps = 1;
        CurrentMap.width = worldSize;
        CurrentMap.height = worldSize;
    } else if (kind <= dwelling) {
        CurrentMap.cells = stores[kind].cells + level * levelCells;
        CurrentMap.wraps = 0;
        CurrentMap.width = settlementSize;
        CurrentMap.height = settlementSize;
    } else {
        CurrentMap.cells = nullptr;
    }
    resetShownTiles();
}

uint8_t tileAt(uint8_t column, uint8_t row) {
    // Callers pass positions inside the map; anything else reads as tile 0 rather
    // than a cell of another level.
    if (CurrentMap.cells == nullptr || column >= CurrentMap.width || row >= CurrentMap.height) {
        return 0;
    }
    return CurrentMap.cells[row * CurrentMap.width + column].shownTile;
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

MapPosition seenPosition(int column, int row) {
    if (CurrentMap.wraps == 1) {
        column = wrapCoordinate(column, CurrentMap.width);
        row = wrapCoordinate(row, CurrentMap.height);
    }
    if (column < 0 || column >= CurrentMap.width || row < 0 || row >= CurrentMap.height) {
        return MapPosition{fillerColumn, fillerRow};
    }
    return MapPosition{column, row};
}

const MapCell *cellSeenAt(int column, int row) {
    MapPosition seen = seenPosition(column, row);
    if (CurrentMap.cells == nullptr || seen.column >= CurrentMap.width ||
        seen.row >= CurrentMap.height) {
        return nullptr;
    }
    return &CurrentMap.cells[seen.row * CurrentMap.width + seen.column];
}

void resetShownTiles() {
    if (CurrentMap.cells == nullptr) {
        return;
    }
    int count = CurrentMap.width * CurrentMap.height;
    for (int i = 0; i < count; i++) {
        CurrentMap.cells[i].shownTile = CurrentMap.cells[i].baseTile;
    }
}
