// The six map files: the tile grids they give (the overworld through the chunk
// layout of the table file, the underworld chunk by chunk, the settlement
// families level by level), worked out from the files' bytes; and their loading
// into the map stores, once at start-up.
#pragma once

#include <cstdint>

#include "4-data/byte_view.h"
#include "4-data/file_formats.h"
#include "4-data/load_failure.h"
#include "4-data/maps.h"

// The cell of a 256 x 256 map at (x, y) of block `block`: blocks of 16 x 16 cells,
// 16 to a row.
int blockCell(int block, int x, int y);

// 256 x 256 tiles, row by row: block i from chunk layout[i] of the chunk file;
// layout entry 255 gives a block of tile 1, a chunk not wholly in the file a block
// of tile 255.
void overworldTiles(const uint8_t layout[chunkLayoutSize], ByteView &chunks, uint8_t *tiles);

// 256 x 256 tiles: chunk k of the file fills block k, cells past its end are tile 255.
void underworldTiles(ByteView &file, uint8_t *tiles);

// 16 levels of 32 x 32 tiles in file order; cells past the end are tile 255.
void settlementTiles(ByteView &file, uint8_t *tiles);

// Reads "arva.dat", "under.dat", "castle.dat", "dwelling.dat", "keep.dat" and
// "towne.dat" in this order into the stores. False, with failure set, when a world
// map cannot be read; a missing settlement file leaves its store at tile 0.
bool loadMaps(const uint8_t layout[chunkLayoutSize], LoadFailure &failure);

bool loadOverworld(const uint8_t layout[chunkLayoutSize], LoadFailure &failure);
bool loadUnderworld(LoadFailure &failure);

// A settlement family's file into its store; one that cannot be read leaves the
// store as it is.
void loadSettlementFile(const char *name, MapCell *store);
