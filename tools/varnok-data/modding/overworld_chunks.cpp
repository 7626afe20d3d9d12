#include "overworld_chunks.h"

#include "4-data/file_formats.h"
#include "world_folder.h"
#include "world_maps.h"

namespace {

const int blockCount = blocksPerRow * blocksPerRow;

struct ChunkStore {
    Bytes *file;
    std::vector<int> users; // blocks whose layout entry names each chunk
};

int chunkCount(const ChunkStore &store) {
    return (int)((store.file->size() + chunkBytes - 1) / chunkBytes);
}

bool wholeChunk(const ChunkStore &store, int k) {
    return (size_t)(k + 1) * chunkBytes <= store.file->size();
}

int findChunk(const ChunkStore &store, const std::vector<uint8_t> &tiles) {
    for (int k = 0; k < chunkCount(store) && k < plainBlockChunk; ++k) {
        if (wholeChunk(store, k) &&
            std::equal(tiles.begin(), tiles.end(), store.file->begin() + (size_t)k * chunkBytes)) {
            return k;
        }
    }
    return -1;
}

void use(ChunkStore &store, int k, int delta) {
    if (k != plainBlockChunk) {
        if ((int)store.users.size() <= k) {
            store.users.resize(k + 1, 0);
        }
        store.users[k] += delta;
    }
}

// The chunk for a block whose cells changed; -1 when no chunk number is left.
int chunkFor(ChunkStore &store, int current, const std::vector<uint8_t> &tiles) {
    int same = findChunk(store, tiles);
    if (same >= 0) {
        return same;
    }
    if (current != plainBlockChunk && wholeChunk(store, current) && store.users[current] == 1) {
        std::copy(tiles.begin(), tiles.end(), store.file->begin() + (size_t)current * chunkBytes);
        return current;
    }
    int added = chunkCount(store);
    if (added >= plainBlockChunk) {
        return -1;
    }
    store.file->resize((size_t)added * chunkBytes, 0);
    store.file->insert(store.file->end(), tiles.begin(), tiles.end());
    return added;
}

std::string blockName(int block) {
    return "block " + std::to_string(block) + " (columns " +
           std::to_string(block % blocksPerRow * chunkSide) + "-" +
           std::to_string(block % blocksPerRow * chunkSide + chunkSide - 1) + ", rows " +
           std::to_string(block / blocksPerRow * chunkSide) + "-" +
           std::to_string(block / blocksPerRow * chunkSide + chunkSide - 1) + ")";
}

} // namespace

bool storeOverworld(const OverworldEdit &edit, Bytes &tableFile, Bytes &chunkFile, int &block,
                    std::string &problem) {
    std::vector<uint8_t> layout = chunkLayoutOf(tableFile);
    std::vector<uint8_t> before = overworldCells(layout, chunkFile);
    ChunkStore store = {&chunkFile, {}};
    std::vector<bool> changed(blockCount, false);
    for (block = 0; block < blockCount; ++block) {
        changed[block] = blockTiles(before, block) != blockTiles(edit.cells, block);
        bool moved = edit.layout[block] != layout[block];
        if (changed[block] && moved) {
            problem =
                blockName(block) + " has new cells and a new chunk number; change one of them";
            return false;
        }
        if (moved && edit.layout[block] != plainBlockChunk &&
            !wholeChunk(store, edit.layout[block])) {
            problem = blockName(block) + ": chunk " + std::to_string(edit.layout[block]) +
                      " is not in " + overworldFileName;
            return false;
        }
        layout[block] = edit.layout[block];
        use(store, layout[block], 1);
    }
    for (block = 0; block < blockCount; ++block) {
        if (!changed[block]) {
            continue;
        }
        int current = layout[block];
        int k = chunkFor(store, current, blockTiles(edit.cells, block));
        if (k < 0) {
            problem = blockName(block) + ": no chunk number is left in " + overworldFileName +
                      " for its new cells";
            return false;
        }
        use(store, current, -1);
        use(store, k, 1);
        layout[block] = (uint8_t)k;
    }
    placeBytes(tableFile, chunkLayoutOffset, layout.data(), layout.size(), 0);
    block = -1;
    return true;
}
