// Writers for the map files: chunk files, the underworld and settlement files.
#include "formats/formats.h"

#include <algorithm>

Bytes buildChunkFile(const std::vector<Chunk> &chunks) {
    Bytes out(chunks.size() * 256, 0);
    for (size_t k = 0; k < chunks.size(); k++) {
        size_t n = std::min<size_t>(chunks[k].size(), 256);
        std::copy(chunks[k].begin(), chunks[k].begin() + n, out.begin() + k * 256);
    }
    return out;
}

Bytes buildUnderworldFile(const std::vector<uint8_t> &cells) {
    Bytes out(65536, 0);
    for (int k = 0; k < 256; k++) {
        for (int y = 0; y < 16; y++) {
            for (int x = 0; x < 16; x++) {
                size_t cell = ((size_t)(k / 16) * 16 + y) * 256 + (k % 16) * 16 + x;
                if (cell < cells.size()) {
                    out[k * 256 + y * 16 + x] = cells[cell];
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
