// The 512 tile names of "look2.dat": map tiles 0-255 by number, characters of
// type t by t + 256. Read once at start-up, printed by the Look command. The
// reader takes the file's bytes.
#pragma once

#include <cstdint>

#include "4-data/byte_view.h"
#include "4-data/file_formats.h"

// The file's bytes that can matter: 16-bit offsets, names of at most 31 characters.
const int64_t tileNameFileReadLimit = 65536 + tileNameMaxLength;

// Name i (0-511) of the file: up to its first zero byte, at most 31 characters;
// empty when its offset lies past the end of the file.
void tileNameOf(ByteView &file, int i, char name[tileNameMaxLength + 1]);

// Builds the names from the file's bytes.
void readTileNames(ByteView &file);

// Frees every name and the array; with nothing loaded it frees nothing.
void freeTileNames();

// Name number i (0-511); the empty text when not loaded or out of range.
const char *tileName(int i);
