#include "synthetic_store.h"

#include <cstdlib>
#include <cstring>

#include "1-app/config/settings.h"
#include "1-app/display/video.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"

namespace {

// 256 distinct colours given to the screen and every surface alike, so blits copy
// colour indices unchanged and pixels can be compared by index.
SDL_Color testPalette[256];

enum GlyphSet { textSet = 0, runeSet = 1, frameSet = 2 };

Uint8 solid(int, int, int tag) {
    return (Uint8)tag;
}

Uint8 checker(int x, int y, int tag) {
    return ((x / 4 + y / 4) % 2 == 0) ? (Uint8)tag : (Uint8)(255 - tag);
}

Uint8 halfKey(int x, int, int tag) {
    return x < 16 ? keyColour() : (Uint8)tag;
}

// Left half tells the glyph's number, right half its set (and the row).
Uint8 glyphColour(int x, int y, int tag) {
    int set = tag / 1000;
    int index = tag % 1000;
    return x < 8 ? (Uint8)(1 + index) : (Uint8)(200 + set * 10 + y % 8);
}

bool isOverlayTile(int t) {
    return (t >= 52 && t <= 55) || (t >= 228 && t <= 231) || (t >= 96 && t <= 111);
}

bool isScrollingTile(int t) {
    return t == 1 || t == 2 || t == 3 || t == 143;
}

SDL_Surface **makeGlyphs(int count, int set) {
    SDL_Surface **glyphs = new SDL_Surface *[count];
    for (int k = 0; k < count; k++) {
        glyphs[k] = makeSurface(16, 16, glyphColour, set * 1000 + k);
    }
    return glyphs;
}

void freeSurfaces(SDL_Surface **surfaces, int count) {
    if (surfaces == nullptr) {
        return;
    }
    for (int k = 0; k < count; k++) {
        SDL_FreeSurface(surfaces[k]);
    }
    delete[] surfaces;
}

} // namespace

Uint8 stripeColour(int, int y, int tag) {
    return (Uint8)(tag + y);
}

void openTestScreen() {
    if (screen == nullptr) {
        if (SDL_Init(SDL_INIT_VIDEO) < 0) {
            abort();
        }
        screen = SDL_SetVideoMode(640, 400, 8, SDL_SWSURFACE);
        if (screen == nullptr) {
            abort();
        }
        for (int i = 0; i < 256; i++) {
            testPalette[i] = {(Uint8)i, (Uint8)(255 - i), (Uint8)((i * 7) & 255), 0};
        }
    }
    SDL_SetColors(screen, testPalette, 0, 256);
    fillScreen(0);
}

SDL_Surface *makeSurface(int width, int height, Uint8 (*colour)(int, int, int), int tag) {
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
    SDL_SetColors(s, testPalette, 0, 256);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            ((Uint8 *)s->pixels)[y * s->pitch + x] = colour(x, y, tag);
        }
    }
    return s;
}

void buildSyntheticStore() {
    setColourMode(false); // the 16-colour mode: key colour 17
    graphicsStore.tileCount = 256;
    graphicsStore.tileTable = new TileEntry[graphicsStore.tileCount];
    for (int t = 0; t < 256; t++) {
        graphicsStore.tileTable[t].animClass = still;
        graphicsStore.tileTable[t].surface = makeSurface(32, 32, solid, t);
        if (isScrollingTile(t)) {
            graphicsStore.tileTable[t].animClass = scrolling;
            SDL_FreeSurface(graphicsStore.tileTable[t].surface);
            graphicsStore.tileTable[t].surface =
                makeSurface(32, 32, stripeColour, t == 143 ? 20 : 60 + 40 * t);
        }
        if (isOverlayTile(t)) {
            graphicsStore.tileTable[t].animClass = overlay;
            SDL_FreeSurface(graphicsStore.tileTable[t].surface);
            graphicsStore.tileTable[t].surface = makeSurface(32, 32, halfKey, t);
            SDL_SetColorKey(graphicsStore.tileTable[t].surface, SDL_SRCCOLORKEY, keyColour());
        }
    }
    graphicsStore.spriteTileCount = 256;
    graphicsStore.spriteTiles = new SDL_Surface *[graphicsStore.spriteTileCount];
    for (int n = 0; n < 256; n++) {
        graphicsStore.spriteTiles[n] = makeSurface(32, 32, checker, n);
    }
    graphicsStore.textGlyphCount = 128;
    graphicsStore.textGlyphs = makeGlyphs(128, textSet);
    graphicsStore.runeGlyphCount = 128;
    graphicsStore.runeGlyphs = makeGlyphs(128, runeSet);
    graphicsStore.frameGlyphCount = frameGlyphTotal;
    graphicsStore.frameGlyphs = makeGlyphs(frameGlyphTotal, frameSet);
}

void freeSyntheticStore() {
    if (graphicsStore.tileTable != nullptr) {
        for (uint32_t t = 0; t < graphicsStore.tileCount; t++) {
            SDL_FreeSurface(graphicsStore.tileTable[t].surface);
        }
        delete[] graphicsStore.tileTable;
    }
    freeSurfaces(graphicsStore.spriteTiles, graphicsStore.spriteTileCount);
    freeSurfaces(graphicsStore.textGlyphs, graphicsStore.textGlyphCount);
    freeSurfaces(graphicsStore.runeGlyphs, graphicsStore.runeGlyphCount);
    freeSurfaces(graphicsStore.frameGlyphs, graphicsStore.frameGlyphCount);
    graphicsStore.tileTable = nullptr;
    graphicsStore.spriteTiles = graphicsStore.textGlyphs = graphicsStore.runeGlyphs =
        graphicsStore.frameGlyphs = nullptr;
    graphicsStore.tileCount = graphicsStore.spriteTileCount = graphicsStore.textGlyphCount =
        graphicsStore.runeGlyphCount = 0;
    graphicsStore.frameGlyphCount = 0;
}

Uint8 surfacePixel(SDL_Surface *surface, int x, int y) {
    return ((Uint8 *)surface->pixels)[y * surface->pitch + x];
}

Uint8 screenPixel(int x, int y) {
    return surfacePixel(screen, x, y);
}

void fillScreen(Uint8 colour) {
    SDL_FillRect(screen, nullptr, colour);
}

bool regionMatches(int x, int y, SDL_Surface *source, int sx, int sy, int w, int h) {
    for (int r = 0; r < h; r++) {
        for (int c = 0; c < w; c++) {
            if (screenPixel(x + c, y + r) != surfacePixel(source, sx + c, sy + r)) {
                return false;
            }
        }
    }
    return true;
}

bool regionFilled(int x, int y, int w, int h, Uint8 colour) {
    for (int r = 0; r < h; r++) {
        for (int c = 0; c < w; c++) {
            if (screenPixel(x + c, y + r) != colour) {
                return false;
            }
        }
    }
    return true;
}

bool cellShows(SDL_Surface *glyph, int column, int row) {
    return regionMatches(16 * column, 16 * row, glyph, 0, 0, 16, 16);
}

bool cellBlank(int column, int row, Uint8 colour) {
    return regionFilled(16 * column, 16 * row, 16, 16, colour);
}

bool viewCellShows(SDL_Surface *tile, int i, int j) {
    return regionMatches(16 + 32 * i, 16 + 32 * j, tile, 0, 0, 32, 32);
}

bool textShown(const char *text, int column, int row) {
    for (int k = 0; text[k] != '\0'; k++) {
        unsigned char c = (unsigned char)text[k];
        SDL_Surface *glyph =
            c < 128 ? graphicsStore.textGlyphs[c] : graphicsStore.runeGlyphs[c - 128];
        if (!cellShows(glyph, column + k, row)) {
            return false;
        }
    }
    return true;
}
