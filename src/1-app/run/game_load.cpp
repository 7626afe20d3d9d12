#include "1-app/run/game_load.h"

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

// The chunk layout, from the table file to the maps.
uint8_t layout[chunkLayoutSize];

// The locations, and the chunk layout the overworld is built by.
bool loadTableFile(LoadFailure &failure) {
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

template <GraphicsPart part> bool loadGraphicsOf(LoadFailure &failure) {
    return loadGraphicsPart(part, failure);
}

bool loadMapFiles(LoadFailure &failure) {
    return loadMaps(layout, failure);
}

} // namespace

const LoadStep loadSteps[loadStepCount] = {
    {"table file", loadTableFile},
    {"pictures", loadGraphicsOf<picturesPart>},
    {"tiles", loadGraphicsOf<tilesPart>},
    {"fonts", loadGraphicsOf<fontsPart>},
    {"maps", loadMapFiles},
    {"character files", loadNpcFiles},
    {"tile names", loadTileNames},
};

bool loadGameData(LoadFailure &failure) {
    for (const LoadStep &step : loadSteps) {
        if (!step.load(failure)) {
            return false;
        }
    }
    return true;
}
