#include "level_painter.h"

#include "tile_numbers.h"

uint8_t levelTile(const Level &level, int column, int row) {
    if (column < 0 || row < 0 || column > 31 || row > 31) {
        return 0;
    }
    return level.cells[row * 32 + column];
}

void setLevelTile(Level &level, int column, int row, uint8_t tile) {
    if (column < 0 || row < 0 || column > 31 || row > 31) {
        return;
    }
    level.cells[row * 32 + column] = tile;
}

void fillLevelArea(Level &level, int c0, int r0, int c1, int r1, uint8_t tile) {
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            setLevelTile(level, c, r, tile);
        }
    }
}

void drawRoom(Level &level, int c0, int r0, int c1, int r1, uint8_t wall, uint8_t floor) {
    fillLevelArea(level, c0, r0, c1, r1, wall);
    fillLevelArea(level, c0 + 1, r0 + 1, c1 - 1, r1 - 1, floor);
}

bool isStandingTile(uint8_t tile) {
    switch (tile) {
    case tileGrass:
    case tileFlowers:
    case tileSand:
    case tileRoad:
    case tileStoneFloor:
    case tileWoodFloor:
    case tileCobbles:
    case tileCarpet:
    case tileDungeonFloor:
    case tileCaveFloor:
    case tileGardenPath:
    case 175: // tiled floor
    case 176: // marble floor
    case 177: // rug
    case 207: // dirt path
    case 241: // flagstone path
        return true;
    default:
        return false;
    }
}
