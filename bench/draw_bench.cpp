// One main-loop pass of drawing: drawScreen plus the flip, on the dummy video
// driver, with a full graphics store of made-up tiles and a busy overworld.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "data/maps.h"
#include "gfx/console.h"
#include "gfx/frame.h"
#include "gfx/graphics_store.h"
#include "gfx/palette.h"
#include "gfx/screen_pass.h"
#include "play/locations.h"
#include "shell/animation.h"
#include "shell/settings.h"
#include "shell/video.h"

namespace {

SDL_Surface *makeTile(int size, Uint8 colour) {
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, size, size, 8, 0, 0, 0, 0);
    setModePalette(s);
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            ((Uint8 *)s->pixels)[y * s->pitch + x] = (Uint8)((colour + x / 4 + y / 8) % 16);
        }
    }
    return s;
}

SDL_Surface **makeSet(int count, int size) {
    SDL_Surface **set = new SDL_Surface *[count];
    for (int k = 0; k < count; k++) {
        set[k] = makeTile(size, (Uint8)k);
    }
    return set;
}

// The tile classes of the real store: water scrolls, the cut shore tiles overlay.
int32_t classOf(int t) {
    if (t == 1 || t == 2 || t == 3 || t == 143) {
        return scrolling;
    }
    if ((t >= 52 && t <= 55) || (t >= 228 && t <= 231) || (t >= 96 && t <= 111)) {
        return overlay;
    }
    return still;
}

void buildStore() {
    tileCount = 256;
    tileTable = new TileEntry[tileCount];
    for (int t = 0; t < 256; t++) {
        tileTable[t] = {classOf(t), makeTile(32, (Uint8)t)};
        if (classOf(t) == overlay) {
            SDL_Surface *s = tileTable[t].surface;
            for (int y = 0; y < 32; y++) {
                for (int x = 0; x < y; x++) {
                    ((Uint8 *)s->pixels)[y * s->pitch + x] = keyColour();
                }
            }
            SDL_SetColorKey(s, SDL_SRCCOLORKEY, keyColour());
        }
    }
    spriteTileCount = 256;
    spriteTiles = makeSet(256, 32);
    textGlyphCount = runeGlyphCount = 128;
    textGlyphs = makeSet(128, 16);
    runeGlyphs = makeSet(128, 16);
    frameGlyphCount = frameGlyphTotal;
    frameGlyphs = makeSet(frameGlyphTotal, 16);
}

// A coast: a third of the view water, some shore overlays, the rest land.
void buildOverworld() {
    MapCell *cells = mapStore(overworld);
    for (int r = 0; r < worldSize; r++) {
        for (int c = 0; c < worldSize; c++) {
            uint8_t t = (c + r) % 3 == 0 ? 1 : (c * 7 + r) % 11 == 0 ? 52 : 4 + (c * r) % 40;
            cells[r * worldSize + c] = {t, t, 0};
        }
    }
}

void setUp() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 8, SDL_SWSURFACE);
    settings.video = 0;
    initPalette16();
    SDL_SetColors(screen, const_cast<Colour *>(modePalette()), 0, modePaletteSize());
    buildStore();
    buildOverworld();
    selectMap(overworld, 0);
    setStartPosition();
    drawFrame();
    initConsole();
}

void drawOnePass(benchmark::State &state) {
    if (screen == nullptr) {
        setUp();
    }
    for (auto _ : state) {
        animationFrame = (animationFrame + 1) % 16;
        drawScreen();
        SDL_Flip(screen);
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(drawOnePass)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
