#include "1-app/input/gamepad.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "1-app/input/input_state.h"
#include "1-app/input/key_bindings.h"
#include "1-app/display/overlays.h"
#include "1-app/input/player_actions.h"
#include "2-play/game.h"
#include "4-data/shown_text.h"
#include "1-app/config/settings.h"
#include "1-app/display/video.h"

namespace {

// A stick counts as pushed from half-way out.
const int deadZone = 16384;
const GameKey noDirection = -1;

SDL_Joystick *pad = nullptr;
bool subsystemStarted = false;

// What the pad holds now: the hat's position and the left stick's two axes.
Uint8 hat = SDL_HAT_CENTERED;
int stickX = 0;
int stickY = 0;
GameKey heldDirection = noDirection;

// The repeat timer of the held direction. It runs on SDL's timer thread and only
// posts an event, and no second one while the first waits: a slow pass must not
// fill the queue. Each hold has its own round, so that a repeat posted for an
// earlier hold is known and dropped.
SDL_TimerID repeatTimer = nullptr;
std::atomic<bool> repeatWaiting{false};
intptr_t repeatRound = 0;

Uint32 onRepeat(Uint32, void *round) {
    if (!repeatWaiting.exchange(true)) {
        SDL_Event event = {};
        event.type = SDL_USEREVENT;
        event.user.type = SDL_USEREVENT;
        event.user.code = padRepeatCode;
        event.user.data1 = round;
        SDL_PushEvent(&event);
    }
    return keyRepeatInterval;
}

void stopRepeat() {
    if (repeatTimer != nullptr) {
        SDL_RemoveTimer(repeatTimer);
        repeatTimer = nullptr;
    }
    repeatRound++;
}

GameKey directionOfHat() {
    // On a diagonal the vertical half counts.
    if (hat & SDL_HAT_UP) {
        return keyNorth;
    }
    if (hat & SDL_HAT_DOWN) {
        return keySouth;
    }
    if (hat & SDL_HAT_RIGHT) {
        return keyEast;
    }
    return (hat & SDL_HAT_LEFT) ? keyWest : noDirection;
}

// The stick's farther axis, when it is out of the dead zone.
GameKey directionOfStick() {
    if (abs(stickY) >= abs(stickX) && abs(stickY) >= deadZone) {
        return stickY < 0 ? keyNorth : keySouth;
    }
    if (abs(stickX) >= deadZone) {
        return stickX < 0 ? keyWest : keyEast;
    }
    return noDirection;
}

void walk(Game &game, GameKey direction) {
    performAction(game, Meaning{giveGameKey, direction});
}

// A new direction walks at once and then repeats; the centre stops the walk. With
// the keys list shown it only closes the list.
void followDirection(Game &game) {
    GameKey now = directionOfHat();
    now = now != noDirection ? now : directionOfStick();
    if (now == heldDirection) {
        return;
    }
    heldDirection = now;
    stopRepeat();
    if (now == noDirection) {
        return;
    }
    if (keysOverlayShown()) {
        hideKeysOverlay();
        return;
    }
    walk(game, now);
    repeatTimer = SDL_AddTimer(keyRepeatDelay, onRepeat, (void *)repeatRound);
}

void repeatDirection(Game &game, const SDL_UserEvent &event) {
    repeatWaiting = false;
    if ((intptr_t)event.data1 == repeatRound && heldDirection != noDirection &&
        !keysOverlayShown()) {
        walk(game, heldDirection);
    }
}

void pressButton(Game &game, int button) {
    if (keysOverlayShown()) {
        hideKeysOverlay();
        return;
    }
    Meaning meaning = meaningOfButton(game, button);
    if (meaning.action == noAction) {
        noteButtonWithoutCommand(button);
        return;
    }
    performAction(game, meaning);
}

} // namespace

void openGamepad() {
    if (settings.joystick != 1 || SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return;
    }
    subsystemStarted = true;
    SDL_JoystickEventState(SDL_ENABLE);
    if (SDL_NumJoysticks() > 0) {
        pad = SDL_JoystickOpen(0);
    }
    notePadInUse(pad != nullptr);
    if (pad != nullptr) {
        printf("Gamepad: %s\n",
               shownText(SDL_JoystickName(0) != nullptr ? SDL_JoystickName(0) : "").c_str());
        fflush(stdout);
    }
}

void releaseHeldDirection() {
    stopRepeat();
    heldDirection = noDirection;
}

void closeGamepad() {
    releaseHeldDirection();
    if (pad != nullptr) {
        SDL_JoystickClose(pad);
        pad = nullptr;
        notePadInUse(false);
    }
    if (subsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        subsystemStarted = false;
    }
}

bool handlePadEvent(Game &game, const SDL_Event *event) {
    // Pushed events arrive even with no pad open: joystick=0 ignores them all.
    if (settings.joystick != 1) {
        return false;
    }
    switch (event->type) {
    case SDL_JOYHATMOTION:
        if (event->jhat.hat == 0) {
            hat = event->jhat.value;
            followDirection(game);
        }
        break;
    case SDL_JOYAXISMOTION:
        if (event->jaxis.axis <= 1) {
            (event->jaxis.axis == 0 ? stickX : stickY) = event->jaxis.value;
            followDirection(game);
        }
        break;
    case SDL_JOYBUTTONDOWN:
        pressButton(game, event->jbutton.button);
        break;
    case SDL_USEREVENT:
        repeatDirection(game, event->user);
        break;
    default:
        break;
    }
    return game.quitConfirmed;
}
