// One animation tick on the 256x256 overworld: the scheduled-task run with the
// animation task, i.e. stepping every cell's shown tile and the console cursor.
#include <benchmark/benchmark.h>

#include "1-app/run/timer.h"
#include "2-play/animation.h"
#include "2-play/game.h"
#include "3-gfx/graphics_store.h"
#include "4-data/maps.h"

namespace {

TileEntry benchTiles[256];

// Tile classes of the usual sets: four-frame and two-frame loops, scrolling water.
void fillTileClasses() {
    for (int t = 0; t < 256; t++) {
        benchTiles[t] = {still, nullptr};
    }
    for (int first : {212, 216, 236}) {
        for (int t = first; t < first + 3; t++) {
            benchTiles[t].animClass = cycleNext;
        }
        benchTiles[first + 3].animClass = cycleBack3;
    }
    for (int first : {128, 130, 250, 252}) {
        benchTiles[first].animClass = cycleNext;
        benchTiles[first + 1].animClass = cycleBack1;
    }
    benchTiles[1].animClass = scrolling;
    graphicsStore.tileTable = benchTiles;
    graphicsStore.tileCount = 256;
}

// A world of every tile number, so a quarter or so of the cells animate.
void fillWorld(Game &game) {
    MapCell *cells = mapStore(overworld);
    for (int i = 0; i < worldSize * worldSize; i++) {
        uint8_t tile = (uint8_t)(i * 7 + i / 256);
        cells[i] = {tile, tile, 0};
    }
    selectMap(game, overworld, 0);
}

void BM_AnimationTick(benchmark::State &state) {
    fillTileClasses();
    Game game = newGame();
    fillWorld(game);
    addScheduledTask(animationTick, tickInterval, reinterpret_cast<intptr_t>(&game));
    for (auto _ : state) {
        runScheduledTasks();
        benchmark::DoNotOptimize(game.currentMap.cells[0].shownTile);
    }
    removeScheduledTaskByAction(animationTick);
    graphicsStore.tileTable = nullptr;
    graphicsStore.tileCount = 0;
}
BENCHMARK(BM_AnimationTick)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
