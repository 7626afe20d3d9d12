// What the game reads from the table file "data.ovl": the chunk layout of the
// overworld (needed only while it is built) and the 40 enterable locations. The
// readers take the file's bytes; bytes past its end read as 0.
#pragma once

#include <cstdint>

#include "4-data/byte_view.h"
#include "4-data/file_formats.h"

struct LocationRecord {
    int column; // world position of the entrance, 0-255
    int row;
    char *name; // owned, at most 15 characters
};

extern LocationRecord locations[locationCount];

// The table file's bytes that can matter: the name positions are 16-bit and a
// name is at most 15 characters long past its bias.
const int64_t tableFileReadLimit = 65536 + namePositionBias + locationNameLength;

// The 256-entry chunk layout at offset 14470.
void chunkLayoutOf(ByteView &table, uint8_t layout[chunkLayoutSize]);

// Name i (0-39): one text line of at most 15 characters at the stored position +
// 16, which stops after a newline (the newline stays part of the name) and ends
// at the first zero byte; empty when it starts past the end of the file.
void locationNameOf(ByteView &table, int i, char name[locationNameLength + 2]);

// The entrance of location i on the overworld.
int locationColumnOf(ByteView &table, int i);
int locationRowOf(ByteView &table, int i);

// Fills the 40 location records from the table file's bytes.
void readLocations(ByteView &table);
void freeLocationNames();
