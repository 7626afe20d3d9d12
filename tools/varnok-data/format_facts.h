// The data-file facts the modding commands use, from the engine's headers.
#pragma once

#include "data/characters.h"
#include "data/maps.h"
#include "data/table_file.h"
#include "data/tile_names.h"
#include "gfx/picture_decode.h"
#include "gfx/pictures.h"
#include "gfx/tile_decode.h"

const int namePositionBias = 16;
const int chunkSide = 16;
const int chunkBytes = chunkSide * chunkSide;
const int blocksPerRow = worldSize / chunkSide;
const int chunkLayoutSize = 256;
const uint8_t plainBlockChunk = 255;
const int underworldFileSize = worldSize * worldSize;
const int settlementFileSize = settlementLevels * levelCells;
const int npcPeoplePerRecord = 32;
const int npcEntrySize = 16;
const int npcColumnOffset = 3;
const int npcRowOffset = 6;
const int npcFloorOffset = 9;
const int npcTypeTable = 512;
const int npcExtraTable = 544;
const int tilesPerFile = 512;
const int fontGlyphCount = 128;
const int fontGlyphBytes = 8;
const int pictureOffsetTable = 2;
const int pictureOffsetEntry = 4;
const PictureRowFormat maskRows = {8, 1};
