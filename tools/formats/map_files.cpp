// Writers for the map files: chunk files, the underworld and settlement files.
#include "formats/formats.h"

#include <algorithm>

#include "4-data/file_formats.h"

Bytes buildChunkFile(const std::vector<Chunk> &chunks) {
    Bytes out(chunks.size() * chunkBytes, 0);
    for (size_t k = 0; k < chunks.size(); k++) {
        size_t n = std::min<size_t>(chunks[k].size(), chunkBytes);
        std::copy(chunks[k].begin(), chunks[k].begin() + n, out.begin() + k * chunkBytes);
    }
    return out;
}

Bytes buildUnderworldFile(const std::vector<uint8_t> &cells) {
    Bytes out(underworldFileSize, 0);
    for (int k = 0; k < blocksPerRow * blocksPerRow; k++) {
        size_t left = (size_t)(k % blocksPerRow) * chunkSide;
        size_t top = (size_t)(k / blocksPerRow) * chunkSide;
        for (int y = 0; y < chunkSide; y++) {
            for (int x = 0; x < chunkSide; x++) {
                size_t cell = (top + y) * worldSize + left + x;
                if (cell < cells.size()) {
                    out[k * chunkBytes + y * chunkSide + x] = cells[cell];
                }
            }
        }
    }
    return out;
}

Bytes buildSettlementFile(const std::vector<uint8_t> &cells) {
    // Storage order is already level, row, column.
    return Bytes(cells.begin(), cells.end());
}
