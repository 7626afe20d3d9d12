// The browser build's entry: the start-up of the native program up to its first
// frame, then the page's loop calls one pass per display frame instead of the
// blocking event loop; every end of the program reaches the page as an exit
// status (see Module.onExit in page.js).
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>

#include "audio/music.h"
#include "data/game_data.h"
#include "data/maps.h"
#include "gfx/console.h"
#include "gfx/frame.h"
#include "gfx/screen_pass.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/locations.h"
#include "shell/animation.h"
#include "shell/command_line.h"
#include "shell/data_lookup.h"
#include "shell/input_stack.h"
#include "shell/main_loop.h"
#include "shell/present.h"
#include "shell/settings.h"
#include "shell/shutdown.h"
#include "shell/timer.h"
#include "shell/video.h"
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
        freeSettingsDirectory();
        exit(2);
    }
    applyCommandLine(line);
    chooseDataDirectory(line.dataDirectory != nullptr);
    checkEssentialFiles();
}

// As the native main loop's start and draw pass.
void startPlaying() {
    selectMap(overworld, 0);
    setStartPosition();
    GameClock = 0;
    drawFrame();
    initConsole();
    playMusic(1);
}

void drawPass() {
    drawScreen(StatusShown{PlayerState.column, PlayerState.row, GameClock});
    presentScreen();
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
        if (handleEvent(&event) == -1) {
            emscripten_cancel_main_loop();
            shutdownAndExit();
        }
        drawPass();
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
    initVideo();
    // Without audio the game simply stays silent.
    initAudio();
    loadGameData();
    setWindowIcon();
    startTickTimer();
    addScheduledTask(animationTick, tickInterval);
    pushInputHandler(mainCommandHandler, 0);
    startPlaying();
    drawPass();
    showWantedFrame();
    emscripten_set_main_loop(pass, 0, 1);
}
