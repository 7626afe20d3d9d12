#include "world_maps.h"

#include "4-data/table_file.h"

std::vector<uint8_t> chunkLayoutOf(const Bytes &tableFile) {
    std::vector<uint8_t> layout(chunkLayoutSize);
    ByteView table = viewOf(tableFile);
    chunkLayoutOf(table, layout.data());
    return layout;
}

std::vector<uint8_t> overworldCells(const std::vector<uint8_t> &layout, const Bytes &chunks) {
    std::vector<uint8_t> cells(worldSize * worldSize);
    ByteView file = viewOf(chunks);
    overworldTiles(layout.data(), file, cells.data());
    return cells;
}

std::vector<uint8_t> underworldCells(const Bytes &file) {
    std::vector<uint8_t> cells(worldSize * worldSize);
    ByteView view = viewOf(file);
    underworldTiles(view, cells.data());
    return cells;
}

std::vector<uint8_t> settlementCells(const Bytes &file) {
    std::vector<uint8_t> cells(settlementFileSize);
    ByteView view = viewOf(file);
    settlementTiles(view, cells.data());
    return cells;
}

std::vector<uint8_t> blockTiles(const std::vector<uint8_t> &cells, int block) {
    std::vector<uint8_t> tiles(chunkBytes);
    for (int i = 0; i < chunkBytes; ++i) {
        tiles[i] = cells[blockCell(block, i % chunkSide, i / chunkSide)];
    }
    return tiles;
}
