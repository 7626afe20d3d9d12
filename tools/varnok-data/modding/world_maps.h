// The maps of a world as grids of tile numbers, built from the map files by the
// engine's own readers: the overworld through the chunk layout of the table file,
// the underworld chunk by chunk, the settlement families level by level.
#pragma once

#include <vector>

#include "4-data/map_files.h"
#include "formats/formats.h"

// The 256-entry chunk layout of a table file (zeros past its end).
std::vector<uint8_t> chunkLayoutOf(const Bytes &tableFile);

// 256 x 256 cells, 256 x 256 cells and 16 levels of 32 x 32 cells, as the engine
// builds them.
std::vector<uint8_t> overworldCells(const std::vector<uint8_t> &layout, const Bytes &chunks);
std::vector<uint8_t> underworldCells(const Bytes &file);
std::vector<uint8_t> settlementCells(const Bytes &file);

// The 256 tiles of block `block` of a 256 x 256 map, row by row.
std::vector<uint8_t> blockTiles(const std::vector<uint8_t> &cells, int block);
