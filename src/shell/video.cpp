#include "shell/video.h"

#include <cstdio>
#include <cstdlib>

#include "gfx/palette.h"
#include "gfx/scale.h"
#include "shell/settings.h"

SDL_Surface *screen = nullptr;

void initVideo() {
    scaler = smoothScale;
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "Video initialization failed: %s\n", SDL_GetError());
        SDL_Quit();
    }
    Uint32 flags = SDL_ANYFORMAT;
    if (settings.fullscreen == 1) {
        flags |= SDL_FULLSCREEN;
    }
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 8, flags);
    if (screen == nullptr) {
        // Nothing has been made yet that would need releasing.
        exit(1);
    }
    SDL_WM_SetCaption("Varnok V", nullptr);
    if (settings.video == 1) {
        initPalette4();
    } else {
        initPalette16();
    }
    SDL_EnableKeyRepeat(500, 50);
}
