// Fuzzes the readers of the game data files that do not end the program on bad
// contents. Byte 0 picks the reader; the rest is its file:
// 0 table file, 1 tile names, 2 character file, 3 overworld (256 bytes of chunk
// layout first), 4 underworld, 5 settlement file.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "4-data/characters.h"
#include "4-data/map_files.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "fuzz_support.h"

namespace {

// Opens the scratch file name just written; ends the process if it cannot.
FILE *openScratch(const char *name) {
    FILE *file = fopen(scratchPath(name).c_str(), "rb");
    if (file == nullptr) {
        fprintf(stderr, "fuzz: cannot reopen '%s'\n", name);
        exit(1);
    }
    return file;
}

void fuzzTableFile(const uint8_t *data, size_t size) {
    writeScratchFile("data.ovl", data, size);
    FILE *file = openScratch("data.ovl");
    readChunkLayout(file);
    readLocations(file);
    fclose(file);
    for (const LocationRecord &l : locations) {
        if (l.name != nullptr && strlen(l.name) > (size_t)locationNameLength) {
            abort();
        }
    }
    freeLocationNames();
    freeChunkLayout();
}

void fuzzTileNames(const uint8_t *data, size_t size) {
    writeScratchFile("look2.dat", data, size);
    FILE *file = openScratch("look2.dat");
    readTileNames(file);
    fclose(file);
    for (int i = 0; i < tileNameCount; i++) {
        if (strlen(tileName(i)) > (size_t)tileNameMaxLength) {
            abort();
        }
    }
    freeTileNames();
}

void fuzzCharacters(const uint8_t *data, size_t size) {
    writeScratchFile("towne.npc", data, size);
    readNpcFile("towne.npc", npcFileBuffer(towne));
    for (int index = -1; index <= npcRecordsPerFile; index++) {
        setSettlementCharacters(towne, index);
    }
    currentCharacterRecord = nullptr;
}

void fuzzOverworld(const uint8_t *data, size_t size) {
    size_t layout = size < 256 ? size : 256;
    freeChunkLayout();
    chunkLayout = (uint8_t *)calloc(256, 1);
    memcpy(chunkLayout, data, layout);
    writeScratchFile("arva.dat", data + layout, size - layout);
    loadOverworld();
}

void fuzzUnderworld(const uint8_t *data, size_t size) {
    writeScratchFile("under.dat", data, size);
    loadUnderworld();
}

void fuzzSettlement(const uint8_t *data, size_t size) {
    writeScratchFile("castle.dat", data, size);
    loadSettlementFile("castle.dat", mapStore(castle));
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
