#include "3-gfx/tile_decode.h"

#include "3-gfx/packed_rows.h"
#include "3-gfx/surface_pixels.h"

namespace {

// Tile numbers first..last of one animation class. The lists do not overlap;
// were they to, the later row would win.
struct AnimRange {
    int32_t animClass;
    int first;
    int last;
};

const AnimRange animRanges[] = {
    {scrolling, 1, 3},      {scrolling, 143, 143},  {overlay, 52, 55},      {overlay, 228, 231},
    {overlay, 96, 111},     {cycleNext, 212, 214},  {cycleNext, 216, 218},  {cycleNext, 236, 238},
    {cycleNext, 250, 250},  {cycleNext, 252, 252},  {cycleNext, 128, 128},  {cycleNext, 130, 130},
    {cycleBack3, 215, 215}, {cycleBack3, 219, 219}, {cycleBack3, 239, 239}, {cycleBack1, 251, 251},
    {cycleBack1, 253, 253}, {cycleBack1, 129, 129}, {cycleBack1, 131, 131},
};

// The cut tiles in the order they are cut; cutByMask takes tile + maskOffset.
struct CutRange {
    int first;
    int last;
    int mode;
    int maskOffset;
};

const CutRange cutRanges[] = {
    {52, 52, cutUpperLeft, 0},   {53, 53, cutUpperRight, 0},   {54, 54, cutLowerRight, 0},
    {55, 55, cutLowerLeft, 0},   {228, 228, cutLowerRight, 0}, {229, 229, cutLowerLeft, 0},
    {230, 230, cutUpperLeft, 0}, {231, 231, cutUpperRight, 0}, {96, 111, cutByMask, 16},
};

// Unpacks bytes of pixelsPerByte pixels each, leftmost pixel in the highest bits.
SDL_Surface *decodeTile(const uint8_t *bytes, int pixelsPerByte) {
    SDL_Surface *surface = createModeSurface(tilePixels, tilePixels);
    if (surface == nullptr) {
        return nullptr;
    }
    int rowBytes = tilePixels / pixelsPerByte;
    for (int y = 0; y < tilePixels; y++) {
        unpackRow(bytes + y * rowBytes, tilePixels, 8 / pixelsPerByte, pixelByte(surface, 0, y));
    }
    return surface;
}

bool maskSet(SDL_Surface *mask, int x, int y) {
    if (mask == nullptr || x >= mask->w || y >= mask->h) {
        return false;
    }
    return *pixelByte(mask, x, y) != 0;
}

bool cutSelects(int mode, int x, int y, int width, SDL_Surface *mask) {
    switch (mode) {
    case cutUpperLeft:
        return x + y < width - 1;
    case cutUpperRight:
        return x > y;
    case cutLowerRight:
        return x + y > width - 1;
    case cutLowerLeft:
        return x < y;
    case cutByMask:
        return maskSet(mask, x, y);
    default:
        return false;
    }
}

} // namespace

SDL_Surface *decodeTile4(const uint8_t *bytes) {
    return decodeTile(bytes, 4);
}

SDL_Surface *decodeTile16(const uint8_t *bytes) {
    return decodeTile(bytes, 2);
}

int32_t tileAnimClass(int tile) {
    int32_t found = still;
    for (const AnimRange &range : animRanges) {
        if (tile >= range.first && tile <= range.last) {
            found = range.animClass;
        }
    }
    return found;
}

void cutTile(SDL_Surface *surface, SDL_Surface *mask, int mode, Uint8 key) {
    // Tiles are square; the row range follows the width but never leaves the surface.
    int width = surface->w;
    int rows = surface->h < width ? surface->h : width;
    for (int x = 0; x < width; x++) {
        for (int y = 0; y < rows; y++) {
            if (cutSelects(mode, x, y, width, mask)) {
                *pixelByte(surface, x, y) = key;
            }
        }
    }
}

void cutOverlayTiles(TileEntry *tiles, Uint8 key) {
    for (const CutRange &range : cutRanges) {
        for (int t = range.first; t <= range.last; t++) {
            SDL_Surface *surface = tiles[t].surface;
            if (surface == nullptr) {
                continue;
            }
            SDL_Surface *mask =
                range.mode == cutByMask ? tiles[t + range.maskOffset].surface : nullptr;
            cutTile(surface, mask, range.mode, key);
            SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
        }
    }
}
