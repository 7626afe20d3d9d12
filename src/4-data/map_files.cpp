#include "4-data/map_files.h"

#include <cstring>
#include <initializer_list>
#include <vector>

#include "4-data/data_file.h"

namespace {

// Fills count cells of a store from tiles, base and shown alike.
void fillCells(MapCell *store, const uint8_t *tiles, int count) {
    for (int i = 0; i < count; i++) {
        store[i].baseTile = tiles[i];
        store[i].shownTile = tiles[i];
        store[i].reserved = 0;
    }
}

// Fills block `block` of a world map's tiles from 256 chunk bytes, or with one
// tile when chunk is nullptr.
void fillBlock(uint8_t *tiles, int block, const uint8_t *chunk, uint8_t tile) {
    for (int i = 0; i < chunkBytes; i++) {
        tiles[blockCell(block, i % chunkSide, i / chunkSide)] = chunk != nullptr ? chunk[i] : tile;
    }
}

} // namespace

int blockCell(int block, int x, int y) {
    return ((block / blocksPerRow) * chunkSide + y) * worldSize + (block % blocksPerRow) * chunkSide +
           x;
}

void overworldTiles(const uint8_t layout[chunkLayoutSize], ByteView &chunks, uint8_t *tiles) {
    for (int block = 0; block < blocksPerRow * blocksPerRow; block++) {
        int chunk = layout[block];
        if (chunk == plainBlockChunk) {
            fillBlock(tiles, block, nullptr, plainBlockTile);
        } else if ((int64_t)(chunk + 1) * chunkBytes <= chunks.size) {
            fillBlock(tiles, block, chunks.data + chunk * chunkBytes, 0);
        } else {
            fillBlock(tiles, block, nullptr, missingMapTile);
        }
    }
}

void underworldTiles(ByteView &file, uint8_t *tiles) {
    for (int block = 0; block < blocksPerRow * blocksPerRow; block++) {
        // A short file: the cells it still holds, then tile 255.
        uint8_t chunk[chunkBytes];
        memset(chunk, missingMapTile, sizeof chunk);
        int64_t start = (int64_t)block * chunkBytes;
        for (int i = 0; i < chunkBytes && start + i < file.size; i++) {
            chunk[i] = file.data[start + i];
        }
        fillBlock(tiles, block, chunk, 0);
    }
}

void settlementTiles(ByteView &file, uint8_t *tiles) {
    memset(tiles, missingMapTile, settlementFileSize);
    if (file.size > 0) {
        memcpy(tiles, file.data, (size_t)(file.size < settlementFileSize ? file.size : settlementFileSize));
    }
}

bool loadOverworld(const uint8_t layout[chunkLayoutSize], LoadFailure &failure) {
    std::vector<uint8_t> bytes;
    if (!readEssentialFile(overworldFileName, worldFileReadLimit, bytes, failure)) {
        return false;
    }
    ByteView chunks = makeByteView(bytes.data(), (int64_t)bytes.size());
    static uint8_t tiles[worldSize * worldSize];
    overworldTiles(layout, chunks, tiles);
    fillCells(mapStore(overworld), tiles, worldSize * worldSize);
    return true;
}

bool loadUnderworld(LoadFailure &failure) {
    std::vector<uint8_t> bytes;
    if (!readEssentialFile(underworldFileName, worldFileReadLimit, bytes, failure)) {
        return false;
    }
    ByteView file = makeByteView(bytes.data(), (int64_t)bytes.size());
    static uint8_t tiles[worldSize * worldSize];
    underworldTiles(file, tiles);
    fillCells(mapStore(underworld), tiles, worldSize * worldSize);
    return true;
}

void loadSettlementFile(const char *name, MapCell *store) {
    std::vector<uint8_t> bytes;
    if (!readOptionalFile(name, settlementFileReadLimit, bytes)) {
        return;
    }
    ByteView file = makeByteView(bytes.data(), (int64_t)bytes.size());
    static uint8_t tiles[settlementFileSize];
    settlementTiles(file, tiles);
    fillCells(store, tiles, settlementFileSize);
}

bool loadMaps(const uint8_t layout[chunkLayoutSize], LoadFailure &failure) {
    if (!loadOverworld(layout, failure) || !loadUnderworld(failure)) {
        return false;
    }
    for (uint8_t kind : {castle, dwelling, keep, towne}) {
        loadSettlementFile(settlementMapFileName(kind), mapStore(kind));
    }
    return true;
}
