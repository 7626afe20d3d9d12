#include "4-data/map_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "4-data/essential_file.h"
#include "4-data/file_formats.h"
#include "4-data/paths.h"
#include "4-data/regular_file.h"
#include "4-data/table_file.h"

namespace {

void setCell(MapCell &cell, uint8_t tile) {
    cell.baseTile = tile;
    cell.shownTile = tile;
    cell.reserved = 0;
}

// Fills block `block` of a world store from 256 chunk bytes, or with one tile
// when chunk is nullptr.
void fillBlock(MapCell *store, int block, const uint8_t *chunk, uint8_t tile) {
    int left = (block % blocksPerRow) * chunkSide;
    int top = (block / blocksPerRow) * chunkSide;
    for (int y = 0; y < chunkSide; y++) {
        MapCell *row = store + (top + y) * worldSize + left;
        for (int x = 0; x < chunkSide; x++) {
            setCell(row[x], chunk != nullptr ? chunk[y * chunkSide + x] : tile);
        }
    }
}

} // namespace

void loadOverworld() {
    // When the file is missing, the teardown frees the chunk layout.
    FILE *file = openEssentialFile(overworldFileName);
    // Size 0 when the buffer cannot be had, so that every block reads as missing.
    int32_t size;
    uint8_t *bytes = (uint8_t *)readWholeFile(file, &size);
    MapCell *store = mapStore(overworld);
    for (int block = 0; block < blocksPerRow * blocksPerRow; block++) {
        // Without a layout every block is a plain one.
        int chunk = chunkLayout != nullptr ? chunkLayout[block] : plainBlockChunk;
        if (chunk == plainBlockChunk) {
            fillBlock(store, block, nullptr, plainBlockTile);
        } else if ((int64_t)(chunk + 1) * chunkBytes <= size) {
            fillBlock(store, block, bytes + chunk * chunkBytes, 0);
        } else {
            fillBlock(store, block, nullptr, missingMapTile);
        }
    }
    free(bytes);
    freeChunkLayout();
    closeEssentialFile(file, overworldFileName);
}

void loadUnderworld() {
    FILE *file = openEssentialFile(underworldFileName);
    // Size 0 when the buffer cannot be had, so that every block reads as missing.
    int32_t size;
    uint8_t *bytes = (uint8_t *)readWholeFile(file, &size);
    MapCell *store = mapStore(underworld);
    for (int block = 0; block < blocksPerRow * blocksPerRow; block++) {
        if ((int64_t)(block + 1) * chunkBytes <= size) {
            fillBlock(store, block, bytes + block * chunkBytes, 0);
            continue;
        }
        // A short file: the cells it still holds, then tile 255.
        uint8_t chunk[chunkBytes];
        memset(chunk, missingMapTile, sizeof chunk);
        if (block * chunkBytes < size) {
            memcpy(chunk, bytes + block * chunkBytes, size - block * chunkBytes);
        }
        fillBlock(store, block, chunk, 0);
    }
    free(bytes);
    closeEssentialFile(file, underworldFileName);
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
    memset(bytes, missingMapTile, sizeof bytes);
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
    for (uint8_t kind : {castle, dwelling, keep, towne}) {
        loadSettlementFile(settlementMapFileName(kind), mapStore(kind));
    }
}
