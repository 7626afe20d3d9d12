// The maps of a world as grids of tile numbers, built from the map files the way
// the engine builds them: the overworld through the chunk layout of the table file,
// the underworld chunk by chunk, the settlement families level by level.
#pragma once

#include <vector>

#include "formats/formats.h"

// The 256-entry chunk layout of a table file (zeros past its end).
std::vector<uint8_t> chunkLayoutOf(const Bytes &tableFile);

// Block i of the overworld: cells from column (i mod 16) x 16, row (i div 16) x 16.
int blockCell(int block, int x, int y);

// 256 x 256 cells: layout entry 255 gives a block of tile 1, a chunk not wholly in
// the file a block of tile 255.
std::vector<uint8_t> overworldCells(const std::vector<uint8_t> &layout, const Bytes &chunks);
// 256 x 256 cells; chunk k fills block k, cells past the end are tile 255.
std::vector<uint8_t> underworldCells(const Bytes &file);
// 16 levels of 32 x 32 cells in file order; cells past the end are tile 255.
std::vector<uint8_t> settlementCells(const Bytes &file);

// The 256 tiles of block `block` of a 256 x 256 map, row by row.
std::vector<uint8_t> blockTiles(const std::vector<uint8_t> &cells, int block);
