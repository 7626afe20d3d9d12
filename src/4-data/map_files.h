// Reading the six map files into the map stores, once at start-up: the overworld
// through the chunk layout of the table file, the underworld, four settlement files.
#pragma once

#include "4-data/maps.h"

// Reads "arva.dat", "under.dat", "castle.dat", "dwelling.dat", "keep.dat" and
// "towne.dat" in this order. A missing world map ends the program; a missing
// settlement file leaves its store at tile 0. Frees the chunk layout.
void loadMaps();

// The overworld: block i of 16 x 16 cells comes from chunk chunkLayout[i] of
// "arva.dat"; 255 gives a block of tile 1, a chunk not wholly in the file tile 255.
void loadOverworld();

// The underworld: chunk k of "under.dat" fills block k; missing cells are tile 255.
void loadUnderworld();

// 16 levels of 32 x 32 cells in file order; cells past the end of a short file
// are tile 255. A file that cannot be opened leaves the store as it is.
void loadSettlementFile(const char *name, MapCell *store);
