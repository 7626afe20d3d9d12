// The six map stores held for the whole run, and the records of a selected map
// and of the player (the game in play holds them: 2-play/game.h). Loading fills
// the stores once; selecting a map only points a record into them.
#pragma once

#include <cstdint>

struct MapCell {
    uint8_t baseTile;  // tile read from the map file; never changed afterwards
    uint8_t shownTile; // tile drawn, looked at and climbed on; stepped by the animation
    uint8_t reserved;
};

enum MapKind : uint8_t {
    overworld = 0,
    underworld = 1,
    towne = 2,
    castle = 3,
    keep = 4,
    dwelling = 5,
};

const int worldSize = 256;       // world maps are worldSize x worldSize cells
const int settlementSize = 32;   // settlement levels are settlementSize x settlementSize
const int settlementLevels = 16; // levels per settlement family
const int levelCells = settlementSize * settlementSize;

struct CurrentMapRecord {
    MapCell *cells; // first cell of the selected map or level; nullptr when none
    uint8_t wraps;  // 1 on the world maps: opposite edges meet
    uint16_t width;
    uint16_t height;
};

struct PlayerStateRecord {
    uint8_t column;
    uint8_t row;
    uint8_t returnColumn; // world-map position restored when a location is left
    uint8_t returnRow;
    uint8_t level;   // level 0-15 in the current settlement store; 0 on world maps
    uint8_t mapKind; // written by selectMap only
    uint8_t viewCentreColumn;
    uint8_t viewCentreRow;
    uint8_t playerTile;
    uint8_t floor; // relative to the entry level: +1 per climb up, -1 (mod 256) down
    uint8_t locationNumber;
};

// First cell of a store: the world map of kind 0 or 1, or level 0 of a settlement
// family (2-5); nullptr for any other kind.
MapCell *mapStore(uint8_t kind);

// Number of cells in the store of a kind (65536 or 16 x 1024), 0 for any other kind.
int mapStoreCells(uint8_t kind);

// Points map at a world map or a settlement level and restarts its animation. A
// kind outside 0-5 leaves no map; a settlement level outside 0-15 selects nothing
// new, leaves map as it was and answers false.
bool selectMapCells(CurrentMapRecord &map, uint8_t kind, uint8_t level);

// shownTile of a cell of the map; 0 when no map is selected.
uint8_t tileAt(const CurrentMapRecord &map, uint8_t column, uint8_t row);

// The edge of a map. A world map wraps: opposite edges meet. Off the edge of a
// settlement level the view and Look see its filler cell instead.
const int fillerColumn = settlementSize - 1;
const int fillerRow = settlementSize - 1;

struct MapPosition {
    int column;
    int row;
};

// A coordinate brought onto a wrapping axis of `size` cells; one correction, so
// it serves positions at most one map's size off an edge (a step, the view's reach).
int wrapCoordinate(int value, int size);

// The cell of the current map seen at (column, row): wrapped on a map that wraps;
// the filler cell when the position is off the map.
MapPosition seenPosition(const CurrentMapRecord &map, int column, int row);

// That cell itself; nullptr when no map is selected or the map is too small to
// hold the filler cell.
const MapCell *cellSeenAt(const CurrentMapRecord &map, int column, int row);

// shownTile = baseTile for every cell of the map.
void resetShownTiles(CurrentMapRecord &map);
