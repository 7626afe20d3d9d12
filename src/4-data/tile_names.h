// The 512 tile names of "look2.dat": map tiles 0-255 by number, characters of
// type t by t + 256. Read once at start-up, printed by the Look command.
#pragma once

#include <cstdint>
#include <cstdio>

#include "4-data/file_formats.h"

// Builds the names from the open file. A name longer than 31 characters is cut
// at 31; an offset beyond the end of the file gives an empty name.
void readTileNames(FILE *file);

// Frees every name and the array; with nothing loaded it frees nothing.
void freeTileNames();

// Name number i (0-511); the empty text when not loaded or out of range.
const char *tileName(int i);
