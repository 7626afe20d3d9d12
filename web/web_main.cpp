// The browser build's entry: the start-up of the native program up to its first
// frame, then the page's loop calls one pass per display frame instead of the
// blocking event loop; every end of the program reaches the page as an exit
// status (see Module.onExit in page.js).
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "1-app/command_line.h"
#include "1-app/data_lookup.h"
#include "1-app/game_load.h"
#include "1-app/main_loop.h"
#include "1-app/present.h"
#include "1-app/settings.h"
#include "1-app/shutdown.h"
#include "1-app/timer.h"
#include "1-app/video.h"
#include "2-play/animation.h"
#include "2-play/commands.h"
#include "2-play/input_stack.h"
#include "3-audio/music.h"
#include "4-data/paths.h"
#include "web_pass.h"
#include "web_presenter.h"
#include "web_timer.h"

namespace {

double lastPassTime = 0; // ms

// As the native start-up: help, version and every mistake end here.
void readConfiguration(int argc, char **argv) {
    CommandLine line;
    switch (parseCommandLine(argc, argv, line)) {
    case showHelp:
        printUsage(stdout);
        exit(0);
    case showVersion:
        printVersion(stdout);
        exit(0);
    case badCommandLine:
        exit(2);
    case runTheGame:
        break;
    }
    if (!loadSettingsFrom(line.configFile)) {
        fprintf(stderr, "Try 'varnok --help'.\n");
        freeSettingTexts();
        exit(2);
    }
    applyCommandLine(line);
    chooseDataDirectory(line.dataDirectory != nullptr);
    setDataDirectory(settings.directory);
    LoadFailure missing;
    std::string explanation;
    if (!checkEssentialFiles(missing, explanation)) {
        endWithFailure(missing, explanation.c_str());
    }
}

// One pass of the page's loop: the due timer ticks, then each waiting event in
// turn is handled and drawn after, as the native loop draws after each event;
// the canvas gets the result once.
void pass() {
    double began = emscripten_get_now();
    runDueTimers();
    bool handled = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handled = true;
        if (runPass(&event) == -1) {
            emscripten_cancel_main_loop();
            endProgram(0);
        }
    }
    showWantedFrame();
    if (handled) {
        lastPassTime = emscripten_get_now() - began;
    }
}

} // namespace

double lastPassMilliseconds() {
    return lastPassTime;
}

// Every exit of the engine (the end of the game, a data failure, a bad option)
// ends the run for the page too, which learns the status through Module.onExit.
extern "C" void __wrap_exit(int status) {
    fflush(stdout);
    fflush(stderr);
    emscripten_force_exit(status);
    __builtin_unreachable();
}

int main(int argc, char **argv) {
    readConfiguration(argc, argv);
    if (!initVideo()) {
        endProgram(1);
    }
    // Without audio the game simply stays silent.
    initAudio(settings.music == 1);
    LoadFailure failure;
    if (!loadGameData(failure)) {
        endWithFailure(failure);
    }
    setWindowIcon();
    startTickTimer();
    addScheduledTask(animationTick, tickInterval);
    pushInputHandler(mainCommandHandler, 0);
    startPlaying();
    showWantedFrame();
    emscripten_set_main_loop(pass, 0, 1);
}
