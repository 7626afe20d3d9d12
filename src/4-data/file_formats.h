// The facts of the game's data files, each written once: the file names, where
// the table file keeps what, file and record sizes, the 25 picture files with
// where the masked sets begin, how picture rows are packed and what the header of
// a compressed file looks like. The engine's readers, the format writers and the
// data check all take them from here, so that they cannot drift apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "4-data/maps.h"

// Files of the data directory that are not chosen by family or colour mode.
const char *const tableFileName = "data.ovl";
const char *const tileNameFileName = "look2.dat";
const char *const overworldFileName = "arva.dat";
const char *const underworldFileName = "under.dat";
const char *const textFontFileName = "ibm.ch";
const char *const runeFontFileName = "runes.ch";
const char *const musicTableFileName = "music.ini";
// The folder music.ini names its files in, inside the data directory.
const char *const musicFolderName = "music/";

// The map file and the character file of a settlement family, kinds 2-5;
// nullptr for any other kind.
const char *settlementMapFileName(int kind);
const char *characterFileName(int kind);

// The order in which the four character files are read, by map kind.
const uint8_t npcFileOrder[4] = {towne, dwelling, castle, keep};

// The table file: 40 locations, each with a 16-bit name position, a column and a
// row in three tables, and the overworld's 256-entry chunk layout.
const int locationCount = 40;
const int locationNameLength = 15; // characters of a name read back
const long namePositionsOffset = 7754;
const long locationColumnsOffset = 7834;
const long locationRowsOffset = 7874;
const long chunkLayoutOffset = 14470;
const int chunkLayoutSize = 256;
const int namePositionBias = 16; // a name's text starts 16 bytes past its position
const long tableFileMinimumSize = chunkLayoutOffset + chunkLayoutSize;

// The world map files: chunks of 16 rows of 16 tiles; block i of the 16 x 16
// blocks of the overworld comes from chunk chunkLayout[i], chunk k of the
// underworld file fills block k.
const int chunkSide = 16;
const int chunkBytes = chunkSide * chunkSide;
const int blocksPerRow = worldSize / chunkSide;
const uint8_t plainBlockChunk = 255; // a layout entry for a block of tile 1
const uint8_t plainBlockTile = 1;    // the tile of such a block
const uint8_t missingMapTile = 255;  // a cell past the end of a map file
const int underworldFileSize = worldSize * worldSize;
const int settlementFileSize = settlementLevels * levelCells;
// The bytes of a map file that can matter: 256 chunks, or 16 settlement levels.
const int64_t worldFileReadLimit = (int64_t)chunkLayoutSize * chunkBytes;
const int64_t settlementFileReadLimit = settlementFileSize;

// The tile-name file: 512 16-bit offsets of zero-terminated names.
const int tileNameCount = 512;
const int tileNameMaxLength = 31;

// A character file: 8 records of 32 people. A person's column, row and floor are
// bytes of a 16-byte entry; type and extra stand in two tables after the entries.
const int npcRecordsPerFile = 8;
const int npcRecordSize = 576;
const int npcFileSize = npcRecordsPerFile * npcRecordSize;
const int npcPeoplePerRecord = 32;
const int npcEntrySize = 16;
const int npcColumnOffset = 3;
const int npcRowOffset = 6;
const int npcFloorOffset = 9;
const int npcTypeTable = 512;
const int npcExtraTable = 544;

// The tile files: 256 map tiles, then 256 character sprites, 16 x 16 pixels each.
const int tilesPerFile = 512;
const int tileBytes4 = 64;   // 4 pixels per byte
const int tileBytes16 = 128; // 2 pixels per byte

// "tiles.4" or "tiles.16".
const char *tileFileName(bool fourColour);

// The fonts: 128 glyphs of 8 rows of 8 one-bit pixels.
const int fontGlyphCount = 128;
const int fontGlyphBytes = 8;
const int fontFileSize = fontGlyphCount * fontGlyphBytes;

// The picture files: a 16-bit count, then one 32-bit offset entry per picture
// (the masked files use only its low 16 bits); at each offset a record of 16-bit
// width and height and packed rows, in a masked file followed by its mask.
const int pictureSetCount = 25;
const int firstMaskedSet = 16; // sets 16-24 are masked
const int pictureOffsetTable = 2;
const int pictureOffsetEntry = 4;

// The file name of picture set number in the mode ("create.4" ... "mon7.16");
// nullptr outside 0-24.
const char *pictureFileName(int number, bool fourColour);

// How a colour mode packs picture rows: pixels per byte (leftmost in the highest
// bits) and the multiple of bytes every row is padded to.
struct PictureRowFormat {
    int pixelsPerByte;
    int rowAlign;
};

const PictureRowFormat pictureRows4 = {4, 1};  // ".4": 2-bit pixels, unpadded rows
const PictureRowFormat pictureRows16 = {2, 4}; // ".16": 4-bit pixels, rows of 4n bytes
const PictureRowFormat maskRows = {8, 1};      // masks: 1-bit pixels, unpadded rows

// Bytes one stored row of a picture width pixels wide takes, padding included.
int64_t pictureRowBytes(int width, PictureRowFormat format);

// The files the start-up load cannot do without in the colour mode, in the order
// it opens them: what start-up checks before any window opens.
std::vector<std::string> essentialFileNames(bool fourColour);

// Every data file the game may read in the colour mode, each once, as it asks
// for them: the essential ones, the settlement maps (read when one is entered)
// and the music list. The music files are those the list names.
std::vector<std::string> dataFileNames(bool fourColour);

// The compressed (LZW) files: a 4-byte little-endian declared size, then the
// codeword stream.
const int lzwSizeBytes = 4;
const int lzwHeaderBytes = 6;

// True when the first `size` bytes of a file are the header of a compressed file:
// at least 6 bytes, a declared size below 16 MiB, a stream that starts with the
// clear code.
bool isLzwHeader(const uint8_t *head, int64_t size);
