#include "1-app/run/main_loop.h"

#include "1-app/display/display_keys.h"
#include "1-app/input/gamepad.h"
#include "1-app/input/keys.h"
#include "1-app/input/player_actions.h"
#include "1-app/display/present.h"
#include "1-app/display/presenter.h"
#include "1-app/saves/save_game.h"
#include "1-app/config/settings.h"
#include "1-app/run/timer.h"
#include "1-app/display/video.h"
#include "2-play/animation.h"
#include "2-play/commands.h"
#include "2-play/game.h"
#include "2-play/input_stack.h"
#include "2-play/locations.h"
#include "2-play/rules.h"
#include "3-gfx/console.h"
#include "3-gfx/frame.h"
#include "3-gfx/screen_pass.h"
#include "4-data/maps.h"

namespace {

// The game in play: made anew by each start, handed to everything that acts on it.
Game game;

void drawPass() {
    drawScreen(viewOf(game));
    presentScreen();
}

} // namespace

void startPlaying() {
    game = newGame();
    addScheduledTask(animationTick, tickInterval, reinterpret_cast<intptr_t>(&game));
    pushInputHandler(game.inputStack, mainCommandHandler, 0);
    selectMap(game, overworld, 0);
    setStartPosition(game);
    drawFrame();
    initConsole();
    if (settings.load == 0 || !loadAtStart(game)) {
        playPlaceMusic(game, overworldMusic);
    }
    drawPass();
}

bool runPass(const SDL_Event *event) {
    if (handleEvent(game, event)) {
        saveOnQuit(game);
        return false;
    }
    drawPass();
    return true;
}

void saveBeforeTheEnd() {
    saveOnQuit(game);
}

bool handleEvent(Game &game, const SDL_Event *event) {
    switch (event->type) {
    case SDL_KEYDOWN: {
        DisplayKeyResult display = handleDisplayKey(&event->key);
        if (display != keyForGame) {
            return display == keyEndsGame;
        }
        return translateKey(game, &event->key) || game.quitConfirmed;
    }
    case SDL_QUIT:
        return true;
    case SDL_ACTIVEEVENT:
        // A key or direction held as the window loses the focus stops repeating:
        // the player would not see the steps it takes.
        if (event->active.gain == 0 && (event->active.state & SDL_APPINPUTFOCUS) != 0) {
            SDL_EnableKeyRepeat(0, 0);
            SDL_EnableKeyRepeat(keyRepeatDelay, keyRepeatInterval);
            releaseHeldDirection();
        }
        return false;
    case SDL_VIDEOEXPOSE:
        // The pass's present that follows shows the whole picture.
        displayExposed();
        return false;
    case SDL_USEREVENT:
        if (event->user.code == padRepeatCode) {
            return handlePadEvent(game, event);
        }
        if (event->user.code == loadSaveCode) {
            loadSaveKey(game, (int)reinterpret_cast<intptr_t>(event->user.data1));
            return false;
        }
        runScheduledTasks();
        return false;
    default:
        // The gamepad's events; key releases, mouse and focus events change
        // nothing.
        return handlePadEvent(game, event);
    }
}
