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
    if (tileTable == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < tileCount; i++) {
        SDL_FreeSurface(tileTable[i].surface);
    }
    free(tileTable);
    tileTable = nullptr;
}

} // namespace

bool loadGraphics(LoadFailure &failure) {
    return isFourColourMode() ? loadGraphics4(failure) : loadGraphics16(failure);
}

bool loadGraphics4(LoadFailure &failure) {
    return loadPictureSets4(failure) && loadTiles4(failure) && loadFonts4(failure);
}

bool loadGraphics16(LoadFailure &failure) {
    return loadPictureSets16(failure) && loadTiles16(failure) && loadFonts16(failure);
}

// The counts stay as they are (the process ends right after); the arrays are
// forgotten so that a second release finds nothing to free.
void freeGraphics() {
    freePictureSets();
    freeTileTable();
    freeSurfaceArray(spriteTiles, spriteTileCount);
    freeSurfaceArray(textGlyphs, textGlyphCount);
    freeSurfaceArray(runeGlyphs, runeGlyphCount);
    freeSurfaceArray(frameGlyphs, frameGlyphCount);
}
