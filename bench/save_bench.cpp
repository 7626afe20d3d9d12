// Saving and loading on the demo world, as F5 and F9 do them without their
// messages: the world's digest (worked out once, at the first save or load), a
// save through the file store (a temporary file synced to the disk and given the
// next number's name, beside the saves before it), and a load (the file read,
// checked and the game put back in its place).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "1-app/saves/save_store.h"
#include "2-play/game.h"
#include "2-play/saved_game.h"
#include "4-data/maps.h"
#include "4-data/paths.h"
#include "4-data/world_digest.h"
#include "demo/demo_world.h"

namespace fs = std::filesystem;

namespace {

std::string world;

void BM_WorldDigest(benchmark::State &state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(worldDigest());
    }
}

// The game saved and loaded: in a town, as in the middle of a game.
Game game = newGame();

void BM_Save(benchmark::State &state) {
    std::string name = worldDigest();
    for (auto _ : state) {
        std::string problem, added;
        if (!saveFiles.add(name, saveText(currentGame(game)), "", added, problem)) {
            state.SkipWithError(problem.c_str());
            break;
        }
        // The folder holds one save at a time, as one that keeps ten does not
        // grow either.
        state.PauseTiming();
        saveFiles.remove(name, added);
        state.ResumeTiming();
    }
}

void BM_Load(benchmark::State &state) {
    std::string name = worldDigest();
    std::string problem, added;
    saveFiles.add(name, saveText(currentGame(game)), "", added, problem);
    for (auto _ : state) {
        std::vector<uint8_t> bytes;
        SavedGame saved;
        if (saveFiles.read(name, added, bytes, problem) != saveFound ||
            !readSaveText(bytes, saved, problem)) {
            state.SkipWithError(problem.c_str());
            break;
        }
        resumeGame(game, saved);
    }
}

BENCHMARK(BM_WorldDigest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    std::string scratch = (fs::temp_directory_path() / "varnok-bench-XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) {
        return 1;
    }
    world = scratch + "/demo";
    std::string problem;
    if (!writeDemoWorld(world, problem)) {
        fprintf(stderr, "demo world: %s\n", problem.c_str());
        return 1;
    }
    setDataDirectory(world.c_str());
    setenv("XDG_DATA_HOME", (scratch + "/share").c_str(), 1);
    // In a town, as a save in the middle of a game would be.
    resumeGame(game, SavedGame{towne, 4, 15, 30, 86, 109, 0, 4, 600, 9});
    benchmark::RunSpecifiedBenchmarks();
    setDataDirectory(nullptr);
    fs::remove_all(scratch);
    return 0;
}
