// Drawing on one 32x32 settlement level: fills, rooms with walls and doors,
// furniture. The settlement builders compose their levels from these.
#pragma once

#include <cstdint>

struct Level {
    uint8_t cells[32 * 32]; // row-major tile numbers
};

uint8_t levelTile(const Level &level, int column, int row); // 0 outside the level
void setLevelTile(Level &level, int column, int row, uint8_t tile);
void fillLevelArea(Level &level, int c0, int r0, int c1, int r1, uint8_t tile);

// Walls on the border of the rectangle c0..c1 x r0..r1, floor inside.
void drawRoom(Level &level, int c0, int r0, int c1, int r1, uint8_t wall, uint8_t floor);

// Whether a person may be placed on this tile: floors, grass, streets, paths.
bool isStandingTile(uint8_t tile);
