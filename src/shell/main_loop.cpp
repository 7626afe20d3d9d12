#include "shell/main_loop.h"

#include "audio/music.h"
#include "data/maps.h"
#include "gfx/console.h"
#include "gfx/frame.h"
#include "gfx/screen_pass.h"
#include "play/clock.h"
#include "play/locations.h"
#include "shell/display_keys.h"
#include "shell/keys.h"
#include "shell/present.h"
#include "shell/timer.h"
#include "shell/video.h"

namespace {

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

} // namespace

int handleEvent(const SDL_Event *event) {
    switch (event->type) {
    case SDL_KEYDOWN: {
        DisplayKeyResult display = handleDisplayKey(&event->key);
        if (display != keyForGame) {
            return display == keyEndsGame ? -1 : 0;
        }
        return translateKey(&event->key) == -1 ? -1 : 0;
    }
    case SDL_QUIT:
        return -1;
    case SDL_USEREVENT:
        runScheduledTasks();
        return 0;
    default:
        // Key releases, mouse, focus and expose events change nothing.
        return 0;
    }
}

void runMainLoop() {
    startPlaying();
    for (;;) {
        drawPass();
        SDL_Event event;
        if (SDL_WaitEvent(&event) == 0) {
            return;
        }
        if (handleEvent(&event) == -1) {
            return;
        }
    }
}
