#include "1-app/display/video.h"

#include <cstdio>

#include "1-app/config/settings.h"
#include "1-app/display/overlays.h"
#include "1-app/display/presenter.h"
#include "1-app/front_end.h"
#include "2-play/rules.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/scale.h"

namespace {

// The frame initVideo made; tests may point `screen` at surfaces of their own.
SDL_Surface *madeScreen = nullptr;

} // namespace

bool initVideo() {
    scaler = smoothScale;
    if (!frontEnd().startVideo(false)) {
        return false;
    }
    readDesktopSize();
    setColourMode(settings.video == 1);
    // The game draws into its own frame; the presenter shows it in the window.
    screen = SDL_CreateRGBSurface(SDL_SWSURFACE, screenWidth, screenHeight, 8, 0, 0, 0, 0);
    madeScreen = screen;
    if (screen == nullptr || !openDisplay(settings.fullscreen == 1)) {
        // SDL says nothing of its own when no mode can be set (sdl12-compat's
        // driver that never started ends here).
        sayVideoFailed();
        return false;
    }
    setModePalette(screen);
    SDL_WM_SetCaption("Varnok V", nullptr);
    SDL_EnableKeyRepeat(keyRepeatDelay, keyRepeatInterval);
    // The game has no mouse: its events would only cost a pass each.
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    SDL_EventState(SDL_MOUSEBUTTONDOWN, SDL_IGNORE);
    SDL_EventState(SDL_MOUSEBUTTONUP, SDL_IGNORE);
    return true;
}

void sayVideoFailed() {
    const char *reason = SDL_GetError();
    fprintf(stderr, "Video initialization failed: %s\n",
            reason != nullptr && reason[0] != '\0' ? reason : "SDL gave no reason");
}

void setWindowIcon() {
    if (graphicsStore.spriteTiles == nullptr || heroSprite >= graphicsStore.spriteTileCount ||
        graphicsStore.spriteTiles[heroSprite] == nullptr) {
        return;
    }
    SDL_WM_SetIcon(graphicsStore.spriteTiles[heroSprite], nullptr);
}

void closeVideo() {
    closeDisplay();
    freeFrameWithOverlays();
    if (madeScreen != nullptr) {
        if (screen == madeScreen) {
            screen = nullptr;
        }
        SDL_FreeSurface(madeScreen);
        madeScreen = nullptr;
    }
}
