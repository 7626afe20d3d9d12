// One main-loop pass of drawing: drawScreen plus the present, with the demo world's
// graphics store and its start view (a lake of flowing water with cut shore tiles,
// roads, places and the player). On the dummy video driver, or in a real window
// when DISPLAY is set; there the last benchmark draws the same pass straight into a
// 640x400 window of the display's format and flips it, as every pass did before
// the frame became the game's own, so the two can be compared.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "1-app/run/game_load.h"
#include "1-app/display/present.h"
#include "1-app/desktop_front_end.h"
#include "1-app/display/presenter.h"
#include "1-app/config/settings.h"
#include "1-app/display/video.h"
#include "2-play/animation.h"
#include "2-play/game.h"
#include "2-play/locations.h"
#include "3-gfx/console.h"
#include "3-gfx/frame.h"
#include "3-gfx/graphics.h"
#include "3-gfx/map_view.h"
#include "3-gfx/palette.h"
#include "3-gfx/screen_pass.h"
#include "4-data/file_formats.h"
#include "4-data/maps.h"
#include "4-data/paths.h"
#include "demo/demo_world.h"

namespace {

std::string world;
int loadedVideo = -1;
Game game;

void removeWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(world, ignored);
}

// Writes the demo world once and loads all of its data the way start-up does.
void loadWorld(int video) {
    if (world.empty()) {
        if (getenv("DISPLAY") == nullptr) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
        }
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varnok-bench-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        world = mkdtemp(buffer.data());
        atexit(removeWorld);
        std::string problem;
        if (!writeDemoWorld(world, problem)) {
            fprintf(stderr, "%s\n", problem.c_str());
            exit(1);
        }
        setDataDirectory(world.c_str());
        startUpSettings().video = video;
        LoadFailure failure;
        useFrontEnd(desktopFrontEnd);
        if (!initVideo() || !loadGameData(failure)) {
            fprintf(stderr, "%s\n", loadFailureLine(failure).c_str());
            exit(1);
        }
    } else if (video != loadedVideo) {
        freeGraphics();
        setColourMode(video == 1);
        setModePalette(screen);
        LoadFailure failure;
        loadGraphics(failure);
    }
    loadedVideo = video;
    game = newGame();
    selectMap(game, overworld, 0);
    setStartPosition(game);
    drawFrame();
    initConsole();
}

// range(0) is the "video" setting: 1 the 4-colour mode, 0 the 16-colour mode.
void drawOnePass(benchmark::State &state) {
    loadWorld((int)state.range(0));
    for (auto _ : state) {
        game.animationFrame = (game.animationFrame + 1) % 16;
        drawScreen(viewOf(game));
        presentScreen();
    }
    state.SetLabel(state.range(0) == 1 ? "4 colours" : "16 colours");
}

// The same pass with the window itself as the frame, flipped whole.
void drawOnePassIntoWindow(benchmark::State &state) {
    loadWorld((int)state.range(0));
    closeDisplay();
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 8, SDL_ANYFORMAT);
    drawFrame();
    initConsole();
    for (auto _ : state) {
        game.animationFrame = (game.animationFrame + 1) % 16;
        drawScreen(viewOf(game));
        SDL_Flip(screen);
    }
    state.SetLabel(std::to_string(screen->format->BitsPerPixel) + "-bit window");
    screen = nullptr; // belongs to SDL; nothing is drawn after this benchmark
}

} // namespace

BENCHMARK(drawOnePass)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(drawOnePassIntoWindow)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
