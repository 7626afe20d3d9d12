// What the game reads from the table file "data.ovl": the chunk layout of the
// overworld (needed only while it is built) and the 40 enterable locations.
#pragma once

#include <cstdint>
#include <cstdio>

#include "4-data/file_formats.h"

struct LocationRecord {
    int column; // world position of the entrance, 0-255
    int row;
    char *name; // owned, at most 15 characters
};

extern LocationRecord locations[locationCount];

// The 256-entry chunk layout while the overworld is being built; nullptr otherwise.
extern uint8_t *chunkLayout;

// Allocates the chunk layout and fills it from offset 14470 (zeros past the end).
void readChunkLayout(FILE *file);
void freeChunkLayout();

// Fills the 40 location records: names (at the stored position + 16, one line of
// at most 15 characters), columns and rows.
void readLocations(FILE *file);
void freeLocationNames();
