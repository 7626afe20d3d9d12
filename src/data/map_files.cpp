#include "data/map_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/essential_file.h"
#include "data/paths.h"
#include "data/regular_file.h"
#include "data/table_file.h"

namespace {

const int chunkSize = 256;    // 16 rows of 16 tiles
const int blocksPerRow = 16;  // a world map is 16 x 16 blocks
const uint8_t plainBlockTile = 1;
const uint8_t missingTile = 255;
const int settlementFileSize = settlementLevels * levelCells;

void setCell(MapCell &cell, uint8_t tile) {
    cell.baseTile = tile;
    cell.shownTile = tile;
    cell.reserved = 0;
}

// Fills block `block` of a world store from 256 chunk bytes, or with one tile
// when chunk is nullptr.
void fillBlock(MapCell *store, int block, const uint8_t *chunk, uint8_t tile) {
    int left = (block % blocksPerRow) * 16;
    int top = (block / blocksPerRow) * 16;
    for (int y = 0; y < 16; y++) {
        MapCell *row = store + (top + y) * worldSize + left;
        for (int x = 0; x < 16; x++) {
            setCell(row[x], chunk != nullptr ? chunk[y * 16 + x] : tile);
        }
    }
}

// Reads a whole world map file; the caller frees the buffer. Size 0 when the
// buffer cannot be had, so that every block reads as missing; a read that fails
// or comes up short ends the program.
uint8_t *readWholeFile(FILE *file, const char *name, int32_t &size) {
    size = fileSize(file);
    uint8_t *bytes = (uint8_t *)malloc(size > 0 ? size : 1);
    if (bytes == nullptr) {
        size = 0;
        return nullptr;
    }
    if (size > 0 && fread(bytes, 1, size, file) != (size_t)size) {
        free(bytes);
        fclose(file);
        failEssentialRead(name);
    }
    return bytes;
}

} // namespace

void loadOverworld() {
    // When the file is missing, the teardown frees the chunk layout.
    FILE *file = openEssentialFile("arva.dat");
    int32_t size;
    uint8_t *bytes = readWholeFile(file, "arva.dat", size);
    MapCell *store = mapStore(overworld);
    for (int block = 0; block < blocksPerRow * blocksPerRow; block++) {
        // Without a layout every block is a plain one.
        int chunk = chunkLayout != nullptr ? chunkLayout[block] : 255;
        if (chunk == 255) {
            fillBlock(store, block, nullptr, plainBlockTile);
        } else if ((int64_t)(chunk + 1) * chunkSize <= size) {
            fillBlock(store, block, bytes + chunk * chunkSize, 0);
        } else {
            fillBlock(store, block, nullptr, missingTile);
        }
    }
    free(bytes);
    freeChunkLayout();
    fclose(file);
}

void loadUnderworld() {
    FILE *file = openEssentialFile("under.dat");
    int32_t size;
    uint8_t *bytes = readWholeFile(file, "under.dat", size);
    MapCell *store = mapStore(underworld);
    for (int block = 0; block < blocksPerRow * blocksPerRow; block++) {
        if ((int64_t)(block + 1) * chunkSize <= size) {
            fillBlock(store, block, bytes + block * chunkSize, 0);
            continue;
        }
        // A short file: the cells it still holds, then tile 255.
        uint8_t chunk[chunkSize];
        memset(chunk, missingTile, sizeof chunk);
        if (block * chunkSize < size) {
            memcpy(chunk, bytes + block * chunkSize, size - block * chunkSize);
        }
        fillBlock(store, block, chunk, 0);
    }
    free(bytes);
    fclose(file);
}

void loadSettlementFile(const char *name, MapCell *store) {
    char *path = makeDataPath(name);
    FileRefusal why = fileMissing;
    FILE *file = path != nullptr ? openRegularFile(path, nullptr, &why) : nullptr;
    if (why == fileNotRegular) {
        warnNotRegularFile("data file", path);
    }
    free(path);
    if (file == nullptr) {
        return;
    }
    static uint8_t bytes[settlementFileSize];
    memset(bytes, missingTile, sizeof bytes);
    size_t got = fread(bytes, 1, sizeof bytes, file);
    (void)got; // the cells past a short file's end keep tile 255
    fclose(file);
    for (int i = 0; i < settlementFileSize; i++) {
        setCell(store[i], bytes[i]);
    }
}

void loadMaps() {
    loadOverworld();
    loadUnderworld();
    loadSettlementFile("castle.dat", mapStore(castle));
    loadSettlementFile("dwelling.dat", mapStore(dwelling));
    loadSettlementFile("keep.dat", mapStore(keep));
    loadSettlementFile("towne.dat", mapStore(towne));
}
