#include "1-app/game_load.h"

#include <cstdint>
#include <vector>

#include "3-gfx/graphics.h"
#include "4-data/byte_view.h"
#include "4-data/characters.h"
#include "4-data/data_file.h"
#include "4-data/file_formats.h"
#include "4-data/map_files.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"

namespace {

// The locations, and the chunk layout the overworld is built by.
bool loadTableFile(uint8_t layout[chunkLayoutSize], LoadFailure &failure) {
    std::vector<uint8_t> bytes;
    if (!readEssentialFile(tableFileName, tableFileReadLimit, bytes, failure)) {
        return false;
    }
    ByteView table = makeByteView(bytes.data(), (int64_t)bytes.size());
    chunkLayoutOf(table, layout);
    readLocations(table);
    return true;
}

bool loadTileNames(LoadFailure &failure) {
    std::vector<uint8_t> bytes;
    if (!readEssentialFile(tileNameFileName, tileNameFileReadLimit, bytes, failure)) {
        return false;
    }
    ByteView file = makeByteView(bytes.data(), (int64_t)bytes.size());
    readTileNames(file);
    return true;
}

} // namespace

bool loadGameData(LoadFailure &failure) {
    uint8_t layout[chunkLayoutSize];
    return loadTableFile(layout, failure) && loadGraphics(failure) && loadMaps(layout, failure) &&
           loadNpcFiles(failure) && loadTileNames(failure);
}
