#include "1-app/main_loop.h"

#include "1-app/display_keys.h"
#include "1-app/keys.h"
#include "1-app/present.h"
#include "1-app/timer.h"
#include "1-app/video.h"
#include "2-play/clock.h"
#include "2-play/locations.h"
#include "3-audio/music.h"
#include "3-gfx/console.h"
#include "3-gfx/frame.h"
#include "3-gfx/screen_pass.h"
#include "4-data/maps.h"

namespace {

void drawPass() {
    drawScreen(StatusShown{PlayerState.column, PlayerState.row, GameClock});
    presentScreen();
}

} // namespace

void startPlaying() {
    selectMap(overworld, 0);
    setStartPosition();
    GameClock = 0;
    drawFrame();
    initConsole();
    playMusic(1);
    drawPass();
}

int runPass(const SDL_Event *event) {
    if (handleEvent(event) == -1) {
        return -1;
    }
    drawPass();
    return 0;
}

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
