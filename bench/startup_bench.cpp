// Start-up on the demo world. First the way to the first frame, step by step, as
// the game takes it (settings and data lookup, the file check, the mode set, each
// loader, the first pass) on the dummy video driver with music off: the median of
// five start-ups in each colour mode, printed as a table; then what the pictures,
// made at their first ask, would cost if every one were asked for. Run under
// callgrind (valgrind --tool=callgrind), it prints each step's instructions
// instead, exact from run to run, from one start-up per mode: each step's count is
// dumped and read back from callgrind's file callgrind.out.<pid>.<n>, so run it
// without --callgrind-out-file. Then the demo world
// with its files under their exact names and with every name in upper case (as
// copies from the game's own disks have them): finding the files in any case must
// not make start-up measurably slower. Measures the essential-file check before
// the window and the whole data load, decoding and enlarging included, and the
// name lookup on its own, also once in a folder that holds 200,000 other files (a
// lookup that listed the folder for every name took seconds there).
#include <SDL.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cctype>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#endif

#include "1-app/config/data_lookup.h"
#include "1-app/desktop_front_end.h"
#include "1-app/run/game_load.h"
#include "1-app/run/main_loop.h"
#include "1-app/config/settings.h"
#include "1-app/run/shutdown.h"
#include "1-app/display/video.h"
#include "3-audio/music.h"
#include "3-gfx/graphics.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/pictures.h"
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
    startUpSettings().directory =
        strdup(state.range(0) == 0 ? exactWorld.c_str() : upperWorld.c_str());
    startUpSettings().video = (int32_t)state.range(1);
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
    startUpSettings().directory = strdup(crowdedWorld.c_str());
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

// The steps of one start-up to the first frame, as main and runGame take them; each
// returns false when start-up would end there.
bool readSettings() {
    std::string config = exactWorld + "/../breakdown.ini";
    if (!loadSettingsFrom(config.c_str())) {
        return false;
    }
    chooseDataDirectory(false);
    setDataDirectory(settings.directory);
    return true;
}

bool checkFiles() {
    LoadFailure failure;
    std::string explanation;
    return checkEssentialFiles(failure, explanation);
}

bool setMode() {
    useFrontEnd(desktopFrontEnd);
    return initVideo();
}

bool openAudio() {
    initAudio(settings.music == 1); // music off: nothing is opened
    return true;
}

bool firstPass() {
    setWindowIcon();
    startPlaying();
    return true;
}

struct StartupStep {
    const char *name;
    bool (*run)();
};

const StartupStep stepsBeforeLoad[] = {
    {"settings and data lookup", readSettings},
    {"file check", checkFiles},
    {"mode set", setMode},
    {"audio (music off)", openAudio},
};

// A moment of one start-up: wall time and the process's CPU time. The machine may
// be shared: the CPU column is the steadier one.
struct Moment {
    std::chrono::steady_clock::time_point wall;
    std::clock_t cpu;
};

Moment now() {
    return Moment{std::chrono::steady_clock::now(), std::clock()};
}

// Milliseconds from start until now: wall, then CPU.
std::pair<double, double> since(const Moment &start) {
    Moment end = now();
    return {std::chrono::duration<double, std::milli>(end.wall - start.wall).count(),
            1000.0 * (double)(end.cpu - start.cpu) / CLOCKS_PER_SEC};
}

// Under callgrind: markStart zeroes callgrind's counts, instructionsSinceMark
// dumps them into the next numbered file and reads them back, in millions (0 when
// not run under callgrind). The reading is not counted: the next mark zeroes it.
#ifdef CALLGRIND_DUMP_STATS_AT
int dumps = 0;

bool underCallgrind() {
    return RUNNING_ON_VALGRIND != 0;
}

void markStart() {
    CALLGRIND_ZERO_STATS;
}

double instructionsSinceMark() {
    if (!underCallgrind()) {
        return 0;
    }
    CALLGRIND_DUMP_STATS_AT("step");
    std::string name = "callgrind.out." + std::to_string(getpid()) + "." + std::to_string(++dumps);
    std::ifstream dump(name);
    std::string line;
    while (std::getline(dump, line)) {
        if (line.rfind("totals: ", 0) == 0) {
            dump.close();
            remove(name.c_str());
            return std::stod(line.substr(8)) / 1e6;
        }
    }
    return 0;
}
#else
bool underCallgrind() {
    return false;
}

void markStart() {
}

double instructionsSinceMark() {
    return 0;
}
#endif

typedef std::vector<std::pair<double, double>> StepTimes;

// Every picture of the store asked for once, as if a screen showed them all.
bool makeEveryPicture() {
    for (int k = 0; k < pictureSetCount; k++) {
        for (int i = 0; i < graphicsStore.pictureSets[k].count; i++) {
            pictureOf(k, i);
        }
    }
    return true;
}

// One step's figures: wall and CPU ms, or under callgrind its instructions (M)
// in both.
std::pair<double, double> measured(bool (*run)(), bool &ok) {
    markStart();
    Moment start = now();
    ok = ok && run();
    std::pair<double, double> times = since(start);
    if (underCallgrind()) {
        double instructions = instructionsSinceMark();
        return {instructions, instructions};
    }
    return times;
}

LoadFailure stepFailure;
const LoadStep *loadStep = nullptr;

bool runLoadStep() {
    return loadStep->load(stepFailure);
}

// One start-up: each step's figures, the names in `names`, then what making every
// picture costs after it; empty when a step failed.
StepTimes startOnce(std::vector<std::string> &names) {
    StepTimes times;
    names.clear();
    bool ok = true;
    for (const StartupStep &step : stepsBeforeLoad) {
        times.push_back(measured(step.run, ok));
        names.push_back(step.name);
    }
    for (const LoadStep &step : loadSteps) {
        loadStep = &step;
        times.push_back(measured(runLoadStep, ok));
        names.push_back(std::string("load: ") + step.name);
    }
    times.push_back(measured(firstPass, ok));
    names.push_back("first pass");
    times.push_back(measured(makeEveryPicture, ok));
    names.push_back("later: every picture made");
    releaseEverything();
    return ok ? times : StepTimes{};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The table of medians over five start-ups in the colour mode of video (under
// callgrind: the instructions of one start-up); false when a start-up failed.
bool printBreakdown(int video) {
    std::ofstream(exactWorld + "/../breakdown.ini")
        << "directory=" << exactWorld << "\nvideo=" << video << "\nmusic=0\n";
    const bool counting = underCallgrind();
    const int runs = counting ? 1 : 5;
    std::vector<std::string> names;
    std::vector<std::vector<double>> wall, cpu; // [step][run]
    std::vector<double> wallTotals, cpuTotals;
    for (int run = 0; run < runs; run++) {
        StepTimes one = startOnce(names);
        if (one.empty()) {
            fprintf(stderr, "start-up failed in the breakdown\n");
            return false;
        }
        wall.resize(one.size());
        cpu.resize(one.size());
        double wallTotal = 0, cpuTotal = 0;
        for (size_t i = 0; i < one.size(); i++) {
            wall[i].push_back(one[i].first);
            cpu[i].push_back(one[i].second);
            // The last row, after the first frame, is not part of it.
            wallTotal += i + 1 < one.size() ? one[i].first : 0;
            cpuTotal += i + 1 < one.size() ? one[i].second : 0;
        }
        wallTotals.push_back(wallTotal);
        cpuTotals.push_back(cpuTotal);
    }
    const char *colours = video == 1 ? "4 colours" : "16 colours";
    size_t steps = names.size() - 1;
    if (counting) {
        printf("\nStart-up to the first frame, %s, demo world, dummy video, music off\n"
               "(one start-up under callgrind, M instructions)\n",
               colours);
        double total = 0;
        for (size_t i = 0; i < steps; i++) {
            printf("  %-32s %8.2f\n", names[i].c_str(), cpu[i][0]);
            total += cpu[i][0];
        }
        printf("  %-32s %8.2f\n", "first frame (all steps)", total);
        printf("  %-32s %8.2f\n\n", names[steps].c_str(), cpu[steps][0]);
        fflush(stdout);
        return true;
    }
    printf("\nStart-up to the first frame, %s, demo world, dummy video, music off\n"
           "(median of %d start-ups, ms)          wall      CPU\n",
           colours, runs);
    for (size_t i = 0; i < steps; i++) {
        printf("  %-32s %7.2f  %7.2f\n", names[i].c_str(), median(wall[i]), median(cpu[i]));
    }
    printf("  %-32s %7.2f  %7.2f\n", "first frame (all steps)", median(wallTotals),
           median(cpuTotals));
    printf("  %-32s %7.2f  %7.2f\n\n", names[steps].c_str(), median(wall[steps]),
           median(cpu[steps]));
    fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
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
    if (!printBreakdown(0) || !printBreakdown(1)) {
        return 1;
    }
    // The benchmarks below keep one video mode open throughout.
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || SDL_SetVideoMode(640, 400, 8, 0) == nullptr) {
        fprintf(stderr, "no video: %s\n", SDL_GetError());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    fs::remove_all(scratch);
    freeSettingTexts();
    SDL_Quit();
    return 0;
}
