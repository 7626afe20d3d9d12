#include "3-gfx/tiles.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/scale.h"
#include "3-gfx/tile_decode.h"
#include "4-data/byte_view.h"
#include "4-data/data_file.h"
#include "4-data/lzw.h"

namespace {

const int mapTiles = 256;
const int spriteTotal = tilesPerFile - mapTiles;

struct TileFileFormat {
    const char *name;
    int bytesPerTile;
    SDL_Surface *(*decode)(const uint8_t *bytes);
};

const TileFileFormat tileFile4 = {tileFileName(true), tileBytes4, decodeTile4};
const TileFileFormat tileFile16 = {tileFileName(false), tileBytes16, decodeTile16};

// Tile n of the file, decoded and enlarged; nullptr when a surface cannot be made.
SDL_Surface *enlargedTile(ByteView &view, const TileFileFormat &format, int n) {
    uint8_t bytes[tileBytes16];
    viewCopy(view, (int64_t)n * format.bytesPerTile, bytes, format.bytesPerTile);
    SDL_Surface *decoded = format.decode(bytes);
    return enlargeDecoded(decoded);
}

// Nothing of an unfinished tile load is kept: the surfaces made so far are freed
// and both counts become 0.
bool abandonTiles(const std::string &path, LoadFailure &failure) {
    for (int i = 0; i < mapTiles; i++) {
        SDL_FreeSurface(graphicsStore.tileTable[i].surface);
        graphicsStore.tileTable[i].surface = nullptr;
    }
    for (int j = 0; j < spriteTotal; j++) {
        SDL_FreeSurface(graphicsStore.spriteTiles[j]);
        graphicsStore.spriteTiles[j] = nullptr;
    }
    graphicsStore.tileCount = 0;
    graphicsStore.spriteTileCount = 0;
    return failLoad(failure, path, surfaceProblem);
}

bool loadTiles(const TileFileFormat &format, LoadFailure &failure) {
    std::string path = dataFilePath(format.name);
    graphicsStore.tileCount = mapTiles;
    graphicsStore.spriteTileCount = spriteTotal;
    graphicsStore.spriteTiles = (SDL_Surface **)calloc(spriteTotal, sizeof(SDL_Surface *));
    graphicsStore.tileTable = (TileEntry *)calloc(mapTiles, sizeof(TileEntry));
    if (graphicsStore.spriteTiles == nullptr || graphicsStore.tileTable == nullptr) {
        return failLoad(failure, path, memoryProblem);
    }
    std::vector<uint8_t> bytes;
    int loaded = loadLzwFile(path.c_str(), bytes);
    if (loaded < 0) {
        graphicsStore.tileCount = 0;
        graphicsStore.spriteTileCount = 0;
        return failLoad(failure, path, lzwLoadProblem(loaded));
    }
    ByteView view = makeByteView(bytes.data(), (int64_t)bytes.size());
    for (int i = 0; i < mapTiles; i++) {
        graphicsStore.tileTable[i].animClass = tileAnimClass(i);
        graphicsStore.tileTable[i].surface = enlargedTile(view, format, i);
        if (graphicsStore.tileTable[i].surface == nullptr) {
            return abandonTiles(path, failure);
        }
    }
    cutOverlayTiles(graphicsStore.tileTable, keyColour());
    for (int j = 0; j < spriteTotal; j++) {
        graphicsStore.spriteTiles[j] = enlargedTile(view, format, mapTiles + j);
        if (graphicsStore.spriteTiles[j] == nullptr) {
            return abandonTiles(path, failure);
        }
    }
    warnIfShort(view, path.c_str());
    return true;
}

} // namespace

bool loadTiles4(LoadFailure &failure) {
    return loadTiles(tileFile4, failure);
}

bool loadTiles16(LoadFailure &failure) {
    return loadTiles(tileFile16, failure);
}
