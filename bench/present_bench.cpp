// Presenting one frame: the nearest-neighbour enlargement into a 32-bit picture in
// memory at every scale, with and without the 4:3 stretch; and, in a real window
// when DISPLAY is set (else on the dummy driver), a whole present of a changed
// frame at scale 1 against the plain flip of a 640x400 window of the display's own
// format, which is what every pass cost before the frame became the game's own.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "1-app/display/picture_layout.h"
#include "1-app/display/picture_scale.h"
#include "1-app/display/smooth_scale.h"
#include "1-app/display/present.h"
#include "1-app/desktop_front_end.h"
#include "1-app/display/presenter.h"
#include "1-app/config/settings.h"
#include "1-app/display/video.h"
#include "3-gfx/palette.h"

namespace {

SDL_Surface *patternedFrame() {
    SDL_Surface *frame =
        SDL_CreateRGBSurface(SDL_SWSURFACE, screenWidth, screenHeight, 8, 0, 0, 0, 0);
    SDL_SetColors(frame, const_cast<SDL_Color *>(palette16), 0, 16);
    for (int y = 0; y < screenHeight; y++) {
        Uint8 *row = (Uint8 *)frame->pixels + y * frame->pitch;
        for (int x = 0; x < screenWidth; x++) {
            row[x] = (Uint8)((x / 3 + y / 5) % 16);
        }
    }
    return frame;
}

void openVideo() {
    if (getenv("DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        SDL_Init(SDL_INIT_VIDEO);
    }
}

// range(0): scale, range(1): aspect.
void scaleInMemory(benchmark::State &state) {
    int scale = (int)state.range(0);
    int aspect = (int)state.range(1);
    SDL_Surface *frame = patternedFrame();
    PictureLayout layout = windowLayout(scale, aspect, 0, 0);
    SDL_Surface *target = SDL_CreateRGBSurface(SDL_SWSURFACE, layout.width, layout.height, 32,
                                               0xFF0000, 0xFF00, 0xFF, 0);
    ScaleMaps maps;
    buildScaleMaps(maps, screenWidth, screenHeight, layout.width, layout.height);
    Uint32 colours[256];
    mapColours(frame, target, colours);
    for (auto _ : state) {
        scaleRows(frame, target, layout, maps, colours, 0, screenHeight - 1);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(layout.width) + "x" + std::to_string(layout.height));
    SDL_FreeSurface(target);
    SDL_FreeSurface(frame);
}

// Before: the window itself was the frame; each pass flipped it whole.
void flipOldWindow(benchmark::State &state) {
    openVideo();
    SDL_Surface *window = SDL_SetVideoMode(screenWidth, screenHeight, 8, SDL_ANYFORMAT);
    SDL_Surface *frame = patternedFrame();
    SDL_BlitSurface(frame, nullptr, window, nullptr);
    for (auto _ : state) {
        SDL_Flip(window);
    }
    state.SetLabel(std::to_string(window->format->BitsPerPixel) + " bits");
    SDL_FreeSurface(frame);
}

// Now: a present of a frame whose opposite corners changed, so the whole picture
// is compared, enlarged and put on the display.
void presentChangedFrame(benchmark::State &state) {
    openVideo();
    startUpSettings().scale = (int)state.range(0);
    startUpSettings().aspect = (int)state.range(1);
    useFrontEnd(desktopFrontEnd);
    readDesktopSize();
    screen = patternedFrame();
    openDisplay(false);
    Uint8 *first = (Uint8 *)screen->pixels;
    Uint8 *last = first + (screenHeight - 1) * screen->pitch + screenWidth - 1;
    for (auto _ : state) {
        *first ^= 1;
        *last ^= 1;
        presentScreen();
    }
    state.SetLabel(std::to_string(SDL_GetVideoSurface()->format->BitsPerPixel) + " bits");
    closeDisplay();
    SDL_FreeSurface(screen);
    screen = nullptr;
}

// fit=1: the crisp enlargement of the whole frame to a laptop's full screen
// height (1228x768), drawn in memory.
void smoothInMemory(benchmark::State &state) {
    SDL_Surface *frame = patternedFrame();
    PictureLayout layout = fittedLayout(0, 1366, 768);
    SDL_Surface *target = SDL_CreateRGBSurface(SDL_SWSURFACE, layout.modeWidth, layout.modeHeight,
                                               32, 0xFF0000, 0xFF00, 0xFF, 0);
    SmoothMaps maps;
    buildSmoothMaps(maps, screenWidth, screenHeight, layout.width, layout.height);
    for (auto _ : state) {
        smoothRows(frame, target, layout, maps, 0, screenHeight - 1);
    }
    SDL_FreeSurface(target);
    SDL_FreeSurface(frame);
}

// A pass that changed nothing: the comparison alone.
void presentUnchangedFrame(benchmark::State &state) {
    openVideo();
    startUpSettings().scale = 1;
    startUpSettings().aspect = 0;
    useFrontEnd(desktopFrontEnd);
    readDesktopSize();
    screen = patternedFrame();
    openDisplay(false);
    presentScreen();
    for (auto _ : state) {
        presentScreen();
    }
    closeDisplay();
    SDL_FreeSurface(screen);
    screen = nullptr;
}

} // namespace

BENCHMARK(scaleInMemory)
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Args({4, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(flipOldWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(smoothInMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(presentChangedFrame)->Args({1, 0})->Args({3, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(presentUnchangedFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
