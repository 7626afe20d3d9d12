#include "3-gfx/graphics.h"

#include <cstdlib>

#include "3-gfx/fonts.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/pictures.h"
#include "3-gfx/tiles.h"

namespace {

// Frees the first count surfaces of an array, then the array itself.
void freeSurfaceArray(SDL_Surface **&surfaces, uint32_t count) {
    if (surfaces == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < count; i++) {
        SDL_FreeSurface(surfaces[i]);
    }
    free(surfaces);
    surfaces = nullptr;
}

void freeTileTable() {
    if (graphicsStore.tileTable == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < graphicsStore.tileCount; i++) {
        SDL_FreeSurface(graphicsStore.tileTable[i].surface);
    }
    free(graphicsStore.tileTable);
    graphicsStore.tileTable = nullptr;
}

} // namespace

namespace {

// Each part's loader by colour mode.
struct PartLoaders {
    bool (*fourColours)(LoadFailure &failure);
    bool (*sixteenColours)(LoadFailure &failure);
};

const PartLoaders partLoaders[graphicsPartCount] = {
    {loadPictureSets4, loadPictureSets16},
    {loadTiles4, loadTiles16},
    {loadFonts4, loadFonts16},
};

} // namespace

bool loadGraphicsPart(GraphicsPart part, LoadFailure &failure) {
    const PartLoaders &loaders = partLoaders[part];
    return isFourColourMode() ? loaders.fourColours(failure) : loaders.sixteenColours(failure);
}

bool loadGraphics(LoadFailure &failure) {
    for (int part = 0; part < graphicsPartCount; part++) {
        if (!loadGraphicsPart((GraphicsPart)part, failure)) {
            return false;
        }
    }
    return true;
}

// The counts stay as they are (the process ends right after); the arrays are
// forgotten so that a second release finds nothing to free.
void freeGraphics() {
    freePictureSets();
    freeTileTable();
    freeSurfaceArray(graphicsStore.spriteTiles, graphicsStore.spriteTileCount);
    freeSurfaceArray(graphicsStore.textGlyphs, graphicsStore.textGlyphCount);
    freeSurfaceArray(graphicsStore.runeGlyphs, graphicsStore.runeGlyphCount);
    freeSurfaceArray(graphicsStore.frameGlyphs, graphicsStore.frameGlyphCount);
}
