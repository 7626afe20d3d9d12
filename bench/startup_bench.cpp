// Start-up on the demo world with its files under their exact names and with every
// name in upper case (as copies from the game's own disks have them): finding the
// files in any case must not make start-up measurably slower. Measures the
// essential-file check before the window and the whole data load, decoding and
// enlarging included, and the name lookup on its own, also once in a folder that
// holds 200,000 other files (a lookup that listed the folder for every name took
// seconds there).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "1-app/data_lookup.h"
#include "1-app/game_load.h"
#include "1-app/settings.h"
#include "3-gfx/graphics.h"
#include "3-gfx/palette.h"
#include "4-data/file_formats.h"
#include "4-data/paths.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "demo/demo_world.h"

namespace fs = std::filesystem;

namespace {

std::string exactWorld;
std::string upperWorld;
std::string crowdedWorld;
const int crowdingFiles = 200000;

// A copy of world with every file and folder name in upper case.
void copyUpperCase(const fs::path &from, const fs::path &to) {
    fs::create_directories(to);
    for (const fs::directory_entry &entry : fs::directory_iterator(from)) {
        std::string name = entry.path().filename().string();
        for (char &c : name) {
            c = (char)toupper((unsigned char)c);
        }
        if (entry.is_directory()) {
            copyUpperCase(entry.path(), to / name);
        } else {
            fs::copy_file(entry.path(), to / name);
        }
    }
}

void useWorld(const benchmark::State &state) {
    // As start-up has them: the settings, and what it hands to the readers.
    freeSettingTexts();
    settings.directory = strdup(state.range(0) == 0 ? exactWorld.c_str() : upperWorld.c_str());
    settings.video = (int32_t)state.range(1);
    setDataDirectory(settings.directory);
    setColourMode(settings.video == 1);
}

void names(benchmark::State &state) {
    state.SetLabel(state.range(0) == 0 ? "exact names" : "upper-case names");
}

void BM_FindEssentialFiles(benchmark::State &state) {
    useWorld(state);
    std::vector<std::string> files = essentialFileNames(isFourColourMode());
    for (auto _ : state) {
        for (const std::string &name : files) {
            char *path = makeDataPath(name.c_str());
            benchmark::DoNotOptimize(path);
            free(path);
        }
    }
    names(state);
}

void BM_CheckAndLoadGameData(benchmark::State &state) {
    useWorld(state);
    for (auto _ : state) {
        LoadFailure failure;
        std::string explanation;
        if (!checkEssentialFiles(failure, explanation) || !loadGameData(failure)) {
            state.SkipWithError(loadFailureLine(failure).c_str());
            break;
        }
        freeGraphics();
        freeTileNames();
        freeLocationNames();
    }
    names(state);
}

// The upper-case world among 200,000 empty files, made at its first use so that a
// run filtered to the other benchmarks does not wait for it.
void makeCrowdedWorld() {
    if (fs::exists(crowdedWorld)) {
        return;
    }
    copyUpperCase(upperWorld, crowdedWorld);
    char name[32];
    for (int i = 0; i < crowdingFiles; i++) {
        snprintf(name, sizeof name, "/OTHER-%06d.DAT", i);
        FILE *file = fopen((crowdedWorld + name).c_str(), "wb");
        if (file != nullptr) {
            fclose(file);
        }
    }
}

// A whole run's lookups of the essential files in the crowded folder, from a cold
// start: one iteration, since the folder's listing is kept for the rest of the run.
void BM_FirstLookupAmong200kFiles(benchmark::State &state) {
    makeCrowdedWorld();
    freeSettingTexts();
    settings.directory = strdup(crowdedWorld.c_str());
    setDataDirectory(settings.directory);
    std::vector<std::string> files = essentialFileNames(false);
    for (auto _ : state) {
        for (const std::string &name : files) {
            char *path = makeDataPath(name.c_str());
            benchmark::DoNotOptimize(path);
            free(path);
        }
    }
    state.SetLabel(std::to_string(files.size()) + " upper-case names");
}

// range(0): 0 exact names, 1 upper case; range(1): the video= value.
BENCHMARK(BM_FindEssentialFiles)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckAndLoadGameData)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLookupAmong200kFiles)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || SDL_SetVideoMode(640, 400, 8, 0) == nullptr) {
        fprintf(stderr, "no video: %s\n", SDL_GetError());
        return 1;
    }
    std::string scratch = (fs::temp_directory_path() / "varnok-bench-XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) {
        return 1;
    }
    exactWorld = scratch + "/exact";
    upperWorld = scratch + "/UPPER";
    crowdedWorld = scratch + "/CROWDED";
    std::string problem;
    if (!writeDemoWorld(exactWorld, problem)) {
        fprintf(stderr, "demo world: %s\n", problem.c_str());
        return 1;
    }
    copyUpperCase(exactWorld, upperWorld);
    benchmark::RunSpecifiedBenchmarks();
    fs::remove_all(scratch);
    freeSettingTexts();
    SDL_Quit();
    return 0;
}
