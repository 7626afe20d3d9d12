// Loads all graphics of one colour mode (picture sets, tiles, fonts) from a data
// directory, with the fast enlarger and with the literal per-pixel one, after
// checking that both give identical surfaces. The directory is the first argument
// that is not a benchmark flag; without one the demo world is written to a scratch
// directory, and with the argument "synthetic" a made-up directory of realistic
// size (104 pictures per mode, 2.2 million picture pixels) is.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "1-app/config/settings.h"
#include "3-gfx/graphics.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/pictures.h"
#include "3-gfx/scale.h"
#include "demo/demo_world.h"
#include "formats/formats.h"

namespace {

// Full-screen pictures with flat areas, edges, diagonals and some noise, the way
// drawn pictures look; two per plain set, eight small ones per masked set.
Picture syntheticPicture(int width, int height, int colours, unsigned seed) {
    Picture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            seed = seed * 1103515245u + 12345u;
            int value = ((x / 9 + y / 7) + (x + y) / 23 + (x * y) / 311) % colours;
            if ((seed >> 16) % 10 == 0) {
                value = (seed >> 8) % colours;
            }
            p.pixels.push_back((uint8_t)value);
            p.mask.push_back((x - width / 2) * (x - width / 2) +
                                         (y - height / 2) * (y - height / 2) >
                                     width * height / 5
                                 ? 1
                                 : 0);
        }
    }
    return p;
}

void writeSyntheticMode(const std::string &dir, bool fourColour, long *pixels) {
    int colours = fourColour ? 4 : 16;
    for (int k = 0; k < pictureSetCount; k++) {
        std::vector<Picture> pictures;
        bool masked = k >= firstMaskedSet;
        for (int i = 0; i < (masked ? 8 : 2); i++) {
            pictures.push_back(masked ? syntheticPicture(48, 48, colours, k * 31 + i)
                                      : syntheticPicture(320, 200, colours, k * 17 + i));
            *pixels += pictures.back().width * pictures.back().height;
        }
        Bytes raw =
            fourColour ? buildPictureFile4(pictures, masked) : buildPictureFile16(pictures, masked);
        writeBytes(dir + "/" + pictureFileName(k, fourColour), packLzw(raw));
    }
    Picture tiles = syntheticPicture(16, 16 * 512, colours, 99);
    Bytes rawTiles = fourColour ? packTiles4(tiles.pixels) : packTiles16(tiles.pixels);
    writeBytes(dir + (fourColour ? "/tiles.4" : "/tiles.16"), packLzw(rawTiles));
}

void writeSyntheticDirectory(const std::string &dir) {
    long pixels4 = 0;
    long pixels16 = 0;
    writeSyntheticMode(dir, true, &pixels4);
    writeSyntheticMode(dir, false, &pixels16);
    std::vector<uint8_t> bits;
    for (int i = 0; i < 128 * 64; i++) {
        bits.push_back((i * 7 / 3) % 5 < 2 ? 1 : 0);
    }
    writeBytes(dir + "/ibm.ch", packFont(bits));
    writeBytes(dir + "/runes.ch", packFont(bits));
    printf("synthetic data: 104 pictures per mode, %ld picture pixels (.4), %ld (.16)\n", pixels4,
           pixels16);
}

void useMode(int video) {
    setColourMode(video == 1);
}

// Every surface of the store, in a fixed order.
std::vector<SDL_Surface *> storeSurfaces() {
    std::vector<SDL_Surface *> all;
    for (int k = 0; k < pictureSetCount; k++) {
        for (int i = 0; i < graphicsStore.pictureSets[k].count; i++) {
            all.push_back(pictureOf(k, i));
        }
    }
    for (uint32_t i = 0; i < graphicsStore.tileCount; i++) {
        all.push_back(graphicsStore.tileTable[i].surface);
    }
    for (uint32_t i = 0; i < graphicsStore.spriteTileCount; i++) {
        all.push_back(graphicsStore.spriteTiles[i]);
    }
    for (uint32_t i = 0; i < graphicsStore.textGlyphCount; i++) {
        all.push_back(graphicsStore.textGlyphs[i]);
    }
    for (uint32_t i = 0; i < graphicsStore.runeGlyphCount; i++) {
        all.push_back(graphicsStore.runeGlyphs[i]);
    }
    for (uint32_t i = 0; i < graphicsStore.frameGlyphCount; i++) {
        all.push_back(graphicsStore.frameGlyphs[i]);
    }
    return all;
}

std::vector<std::vector<Uint8>> storePixels() {
    std::vector<std::vector<Uint8>> copies;
    for (SDL_Surface *s : storeSurfaces()) {
        std::vector<Uint8> copy;
        for (int y = 0; y < s->h; y++) {
            const Uint8 *row = (const Uint8 *)s->pixels + y * s->pitch;
            copy.insert(copy.end(), row, row + s->w);
        }
        copy.push_back((Uint8)s->w);
        copy.push_back((Uint8)(s->flags & SDL_SRCCOLORKEY ? s->format->colorkey : 0xff));
        copies.push_back(copy);
    }
    return copies;
}

// The whole store made: the load, then every picture asked for once (pictures are
// made at their first ask).
void loadEverything() {
    LoadFailure failure;
    loadGraphics(failure);
    for (int k = 0; k < pictureSetCount; k++) {
        for (int i = 0; i < graphicsStore.pictureSets[k].count; i++) {
            pictureOf(k, i);
        }
    }
}

double timedLoad(Enlarger enlarger, std::vector<std::vector<Uint8>> *pixels) {
    scaler = enlarger;
    auto start = std::chrono::steady_clock::now();
    loadEverything();
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (pixels != nullptr) {
        *pixels = storePixels();
    }
    freeGraphics();
    return ms;
}

// One load each way per mode: the surfaces must be identical.
bool compareEnlargers() {
    bool same = true;
    for (int video : {1, 0}) {
        useMode(video);
        std::vector<std::vector<Uint8>> fast;
        std::vector<std::vector<Uint8>> literal;
        double fastMs = timedLoad(smoothScale, &fast);
        double literalMs = timedLoad(smoothScaleLiteral, &literal);
        bool identical = fast == literal;
        same = same && identical;
        printf("mode %s: %zu surfaces, identical: %s (first loads: fast %.1f ms, literal "
               "%.1f ms)\n",
               video == 1 ? ".4" : ".16", fast.size(), identical ? "yes" : "NO", fastMs, literalMs);
    }
    return same;
}

void loadMode(benchmark::State &state, int video, Enlarger enlarger) {
    useMode(video);
    scaler = enlarger;
    for (auto _ : state) {
        loadEverything();
        freeGraphics();
    }
    scaler = smoothScale;
}

void BM_LoadGraphics4(benchmark::State &state) {
    loadMode(state, 1, smoothScale);
}
void BM_LoadGraphics4Literal(benchmark::State &state) {
    loadMode(state, 1, smoothScaleLiteral);
}
void BM_LoadGraphics16(benchmark::State &state) {
    loadMode(state, 0, smoothScale);
}
void BM_LoadGraphics16Literal(benchmark::State &state) {
    loadMode(state, 0, smoothScaleLiteral);
}

BENCHMARK(BM_LoadGraphics4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGraphics4Literal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGraphics16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGraphics16Literal)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || SDL_SetVideoMode(640, 400, 8, 0) == nullptr) {
        fprintf(stderr, "no video: %s\n", SDL_GetError());
        return 1;
    }
    std::string dir;
    std::string scratch;
    std::string choice = argc > 1 ? argv[1] : "demo";
    if (choice == "demo" || choice == "synthetic") {
        scratch = (std::filesystem::temp_directory_path() / "varnok-bench-XXXXXX").string();
        if (mkdtemp(scratch.data()) == nullptr) {
            return 1;
        }
        dir = scratch;
        std::string problem;
        if (choice == "synthetic") {
            writeSyntheticDirectory(dir);
        } else if (!writeDemoWorld(dir, problem)) {
            fprintf(stderr, "demo world: %s\n", problem.c_str());
            return 1;
        }
    } else {
        dir = choice;
    }
    printf("data: %s\n", choice.c_str());
    applySetting("directory", dir.c_str());
    bool same = compareEnlargers();
    benchmark::RunSpecifiedBenchmarks();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    if (!scratch.empty()) {
        std::filesystem::remove_all(scratch);
    }
    freeSettingTexts();
    SDL_Quit();
    return same ? 0 : 1;
}
