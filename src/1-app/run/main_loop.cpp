#include "1-app/run/main_loop.h"

#include "1-app/display/display_keys.h"
#include "1-app/input/gamepad.h"
#include "1-app/input/keys.h"
#include "1-app/input/player_actions.h"
#include "1-app/display/present.h"
#include "1-app/saves/save_game.h"
#include "1-app/config/settings.h"
#include "1-app/run/timer.h"
#include "1-app/display/video.h"
#include "2-play/clock.h"
#include "2-play/locations.h"
#include "2-play/rules.h"
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
    if (settings.load != 1 || !loadAtStart()) {
        playPlaceMusic(overworldMusic);
    }
    drawPass();
}

int runPass(const SDL_Event *event) {
    if (handleEvent(event) == -1) {
        saveOnQuit();
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
        return translateKey(&event->key) == -1 || quitConfirmed() ? -1 : 0;
    }
    case SDL_QUIT:
        return -1;
    case SDL_USEREVENT:
        if (event->user.code == padRepeatCode) {
            return handlePadEvent(event);
        }
        runScheduledTasks();
        return 0;
    default:
        // The gamepad's events; key releases, mouse, focus and expose events
        // change nothing.
        return handlePadEvent(event);
    }
}
