// Fuzzes the readers of the game data files that take bytes and never fail on bad
// contents. Byte 0 picks the reader; the rest is its file:
// 0 table file, 1 tile names, 2 character file (through its loader), 3 overworld
// (256 bytes of chunk layout first), 4 underworld, 5 settlement file.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "2-play/game.h"
#include "4-data/byte_view.h"
#include "4-data/characters.h"
#include "4-data/map_files.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "fuzz_support.h"

namespace {

uint8_t tiles[worldSize * worldSize];

void fuzzTableFile(const uint8_t *data, size_t size) {
    ByteView table = makeByteView(data, (int64_t)size);
    uint8_t layout[chunkLayoutSize];
    chunkLayoutOf(table, layout);
    readLocations(table);
    for (const LocationRecord &l : locations) {
        if (l.name != nullptr && strlen(l.name) > (size_t)locationNameLength) {
            abort();
        }
    }
    freeLocationNames();
}

void fuzzTileNames(const uint8_t *data, size_t size) {
    ByteView file = makeByteView(data, (int64_t)size);
    readTileNames(file);
    for (int i = 0; i < tileNameCount; i++) {
        if (strlen(tileName(i)) > (size_t)tileNameMaxLength) {
            abort();
        }
    }
    freeTileNames();
}

void fuzzCharacters(const uint8_t *data, size_t size) {
    writeScratchFile("towne.npc", data, size);
    LoadFailure failure;
    if (!readNpcFile("towne.npc", npcFileBuffer(towne), failure)) {
        abort();
    }
    Game game = newGame();
    for (int index = -1; index <= npcRecordsPerFile; index++) {
        setSettlementCharacters(game, towne, index);
    }
}

void fuzzOverworld(const uint8_t *data, size_t size) {
    size_t used = size < 256 ? size : 256;
    uint8_t layout[chunkLayoutSize] = {};
    memcpy(layout, data, used);
    ByteView chunks = makeByteView(data + used, (int64_t)(size - used));
    overworldTiles(layout, chunks, tiles);
}

void fuzzUnderworld(const uint8_t *data, size_t size) {
    ByteView file = makeByteView(data, (int64_t)size);
    underworldTiles(file, tiles);
}

void fuzzSettlement(const uint8_t *data, size_t size) {
    ByteView file = makeByteView(data, (int64_t)size);
    settlementTiles(file, tiles);
}

typedef void (*Reader)(const uint8_t *data, size_t size);

const Reader readers[] = {fuzzTableFile, fuzzTileNames,  fuzzCharacters,
                          fuzzOverworld, fuzzUnderworld, fuzzSettlement};
const int readerCount = sizeof readers / sizeof readers[0];

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 300000) {
        return 0;
    }
    readers[data[0] % readerCount](data + 1, size - 1);
    return 0;
}
