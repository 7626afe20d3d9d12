#include "1-app/display/display_keys.h"

#include "1-app/input/key_codes.h"
#include "1-app/display/overlays.h"
#include "1-app/display/presenter.h"
#include "1-app/front_end.h"

namespace {

bool isLoneModifier(SDLKey sym) {
    return sym >= SDLK_NUMLOCK && sym <= SDLK_COMPOSE;
}

bool isAltEnter(const SDL_keysym &key) {
    return (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) && (key.mod & KMOD_ALT) != 0;
}

} // namespace

DisplayKeyResult handleDisplayKey(const SDL_KeyboardEvent *event) {
    const SDL_keysym &key = event->keysym;
    if (isAltEnter(key)) {
        return toggleFullscreen() ? keyTaken : keyEndsGame;
    }
    if (key.sym == screenshotKey) {
        frontEnd().saveScreenshot();
        return keyTaken;
    }
    if (keysOverlayShown()) {
        // A modifier alone waits for its key; any other key closes the list.
        if (isLoneModifier(key.sym)) {
            return keyTaken;
        }
        hideKeysOverlay();
        return gameKeyFor(key.sym, key.mod) == keyQuit ? keyEndsGame : keyTaken;
    }
    if (key.sym == keysListKey) {
        showKeysOverlay();
        return keyTaken;
    }
    return keyForGame;
}
