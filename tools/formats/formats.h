// Writers for the game's data formats: the LZW container, the table file, tile
// names, character files, map files, tiles, fonts and picture files. Used by the
// data tool and by the tests to build their fixtures; the engine itself only reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "4-data/byte_view.h"

typedef std::vector<uint8_t> Bytes;

// The bytes as the engine's readers take them (past the end read as 0).
inline ByteView viewOf(const Bytes &bytes) {
    return makeByteView(bytes.data(), (int64_t)bytes.size());
}

// Little-endian numbers of `count` bytes (the engine reads them with viewLe16 and
// viewLe32): appended, or written over bytes that are already there.
void appendLe(Bytes &bytes, uint32_t value, int count);
void setLe(Bytes &bytes, size_t at, uint32_t value, int count);

// Writes bytes to a file; false on failure.
bool writeBytes(const std::string &path, const Bytes &bytes);
bool readBytes(const std::string &path, Bytes &bytes);

// The LZW container: 4-byte little-endian declared size, then a stream of 9-12 bit
// codewords that starts with the clear code, ends with the end code and clears
// before the dictionary is full.
Bytes packLzw(const Bytes &raw);

// The table file "data.ovl": the chunk layout at 14470, name positions at 7754,
// columns at 7834, rows at 7874; names are written where their positions point.
struct LocationSpec {
    uint8_t column;
    uint8_t row;
    std::string name; // at most 15 characters are read back
};
Bytes buildTableFile(const uint8_t chunkLayout[256], const std::vector<LocationSpec> &locations);

// "look2.dat": 512 offsets, then the zero-terminated names.
Bytes buildTileNameFile(const std::vector<std::string> &names);

// A character file: 8 records of 32 people.
struct PersonSpec {
    uint8_t column;
    uint8_t row;
    uint8_t floor;
    uint8_t type; // 0: nobody
    uint8_t extra;
};
struct SettlementPeople {
    PersonSpec people[32];
};
Bytes buildNpcFile(const std::vector<SettlementPeople> &records); // up to 8 records

// "arva.dat"-style chunk file: each chunk is 16 rows of 16 tiles.
typedef std::vector<uint8_t> Chunk; // 256 tiles
Bytes buildChunkFile(const std::vector<Chunk> &chunks);

// "under.dat": a 256x256 map (row-major) as its 256 chunks, chunk k = block k.
Bytes buildUnderworldFile(const std::vector<uint8_t> &cells);

// Settlement file: 16 levels of 32x32 tiles, row-major, level by level.
Bytes buildSettlementFile(const std::vector<uint8_t> &cells);

// Tiles: 512 tiles of 16x16 colour indices (0-3 or 0-15), tile-major, row-major.
// The result is the raw data before packLzw.
Bytes packTiles4(const std::vector<uint8_t> &pixels);
Bytes packTiles16(const std::vector<uint8_t> &pixels);

// Fonts: 128 glyphs of 8x8 bits (0/1 per pixel), glyph-major, row-major.
Bytes packFont(const std::vector<uint8_t> &bits);

// Picture files (raw data before packLzw). A masked file carries, after each
// picture, its mask of the same size: 1 marks a transparent pixel.
struct Picture {
    int width;
    int height;
    std::vector<uint8_t> pixels; // width x height colour indices
    std::vector<uint8_t> mask;   // width x height of 0/1; used by masked files only
};
Bytes buildPictureFile4(const std::vector<Picture> &pictures, bool masked);
Bytes buildPictureFile16(const std::vector<Picture> &pictures, bool masked);
