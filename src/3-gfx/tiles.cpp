#include "3-gfx/tiles.h"

#include <cstdlib>

#include "3-gfx/byte_view.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/load_failure.h"
#include "3-gfx/palette.h"
#include "3-gfx/scale.h"
#include "3-gfx/tile_decode.h"
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
// and both counts become 0 before the program ends.
[[noreturn]] void abandonTiles(char *path) {
    for (int i = 0; i < mapTiles; i++) {
        SDL_FreeSurface(tileTable[i].surface);
        tileTable[i].surface = nullptr;
    }
    for (int j = 0; j < spriteTotal; j++) {
        SDL_FreeSurface(spriteTiles[j]);
        spriteTiles[j] = nullptr;
    }
    tileCount = 0;
    spriteTileCount = 0;
    failGraphicsFile(path, surfaceProblem);
}

void loadTiles(const TileFileFormat &format) {
    char *path = graphicsPath(format.name);
    tileCount = mapTiles;
    spriteTileCount = spriteTotal;
    spriteTiles = (SDL_Surface **)allocateOrFail(spriteTotal, sizeof(SDL_Surface *), path);
    tileTable = (TileEntry *)allocateOrFail(mapTiles, sizeof(TileEntry), path);
    int loaded = loadLzwFile(path);
    if (loaded < 0) {
        tileCount = 0;
        spriteTileCount = 0;
        failCompressedFile(path, loaded);
    }
    ByteView view = makeByteView(LoadedFile.data, LoadedFile.size);
    for (int i = 0; i < mapTiles; i++) {
        tileTable[i].animClass = tileAnimClass(i);
        tileTable[i].surface = enlargedTile(view, format, i);
        if (tileTable[i].surface == nullptr) {
            abandonTiles(path);
        }
    }
    cutOverlayTiles(tileTable, keyColour());
    for (int j = 0; j < spriteTotal; j++) {
        spriteTiles[j] = enlargedTile(view, format, mapTiles + j);
        if (spriteTiles[j] == nullptr) {
            abandonTiles(path);
        }
    }
    warnIfShort(view, path);
    releaseLoadedFile();
    free(path);
}

} // namespace

void loadTiles4() {
    loadTiles(tileFile4);
}

void loadTiles16() {
    loadTiles(tileFile16);
}
