#include "world_maps.h"

#include <algorithm>

#include "4-data/file_formats.h"

std::vector<uint8_t> chunkLayoutOf(const Bytes &tableFile) {
    std::vector<uint8_t> layout(chunkLayoutSize, 0);
    for (int i = 0; i < chunkLayoutSize; ++i) {
        size_t at = chunkLayoutOffset + i;
        layout[i] = at < tableFile.size() ? tableFile[at] : 0;
    }
    return layout;
}

int blockCell(int block, int x, int y) {
    return ((block / blocksPerRow) * chunkSide + y) * worldSize +
           (block % blocksPerRow) * chunkSide + x;
}

std::vector<uint8_t> overworldCells(const std::vector<uint8_t> &layout, const Bytes &chunks) {
    std::vector<uint8_t> cells(worldSize * worldSize);
    for (int block = 0; block < blocksPerRow * blocksPerRow; ++block) {
        int k = layout[block];
        bool whole = (size_t)(k + 1) * chunkBytes <= chunks.size();
        for (int i = 0; i < chunkBytes; ++i) {
            uint8_t tile = k == plainBlockChunk ? plainBlockTile
                           : whole              ? chunks[k * chunkBytes + i]
                                                : missingMapTile;
            cells[blockCell(block, i % chunkSide, i / chunkSide)] = tile;
        }
    }
    return cells;
}

std::vector<uint8_t> underworldCells(const Bytes &file) {
    std::vector<uint8_t> cells(worldSize * worldSize);
    for (int block = 0; block < blocksPerRow * blocksPerRow; ++block) {
        for (int i = 0; i < chunkBytes; ++i) {
            size_t at = (size_t)block * chunkBytes + i;
            cells[blockCell(block, i % chunkSide, i / chunkSide)] =
                at < file.size() ? file[at] : missingMapTile;
        }
    }
    return cells;
}

std::vector<uint8_t> settlementCells(const Bytes &file) {
    std::vector<uint8_t> cells(settlementFileSize, missingMapTile);
    std::copy(file.begin(), file.begin() + std::min<size_t>(file.size(), cells.size()),
              cells.begin());
    return cells;
}

std::vector<uint8_t> blockTiles(const std::vector<uint8_t> &cells, int block) {
    std::vector<uint8_t> tiles(chunkBytes);
    for (int i = 0; i < chunkBytes; ++i) {
        tiles[i] = cells[blockCell(block, i % chunkSide, i / chunkSide)];
    }
    return tiles;
}
