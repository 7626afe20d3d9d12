// The browser build's entry: the engine's start-up up to its first frame, then
// the page's loop calls one pass per display frame instead of the blocking
// event loop. Every end of the program reaches the page as the run's exit
// status (see Module.onExit in page.js): returned from main when start-up ends
// the program, given to emscripten_force_exit after the last pass.
#include <emscripten.h>

#include <SDL.h>
#include <cstdio>

#include "1-app/run/main_loop.h"
#include "1-app/run/shutdown.h"
#include "1-app/run/startup.h"
#include "web_front_end.h"
#include "web_pass.h"
#include "web_presenter.h"
#include "web_timer.h"

namespace {

double lastPassTime = 0; // ms

// Ends the run: the page learns the status and what was written.
void endRun(int status) {
    fflush(stdout);
    fflush(stderr);
    emscripten_force_exit(status);
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
        if (!runPass(&event)) {
            emscripten_cancel_main_loop();
            endRun(endGame(0));
            return;
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

int main(int argc, char **argv) {
    useFrontEnd(webFrontEnd);
    int status = 0;
    if (!startGame(argc, argv, status)) {
        fflush(stdout);
        fflush(stderr);
        return status;
    }
    showWantedFrame();
    emscripten_set_main_loop(pass, 0, 1);
    return 0;
}
