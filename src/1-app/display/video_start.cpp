#include "1-app/display/video_start.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// One start of the video subsystem with driver (nullptr: SDL's own choice, from
// SDL_VIDEODRIVER), which SDL reads from the environment; the environment is put
// back afterwards.
bool startDriver(const char *driver) {
    const char *before = getenv("SDL_VIDEODRIVER");
    bool hadOne = before != nullptr;
    std::string saved = hadOne ? before : "";
    if (driver != nullptr) {
        setenv("SDL_VIDEODRIVER", driver, 1);
    }
    bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (driver != nullptr && hadOne) {
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    } else if (driver != nullptr) {
        unsetenv("SDL_VIDEODRIVER");
    }
    return started;
}

// The X11 driver, tried again while an X server resets (see x11Attempts).
bool startX11() {
    const char *display = getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        return false;
    }
    Uint32 start = SDL_GetTicks();
    while (!startDriver("x11")) {
        if (SDL_GetTicks() - start >= x11RetryTime) {
            return false;
        }
        SDL_Delay(x11RetryGap);
    }
    return true;
}

void sayNoDisplay() {
    const char *display = getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        fprintf(stderr, "No graphical display: DISPLAY is not set; set SDL_VIDEODRIVER to force "
                        "a driver.\n");
    } else {
        fprintf(stderr,
                "No graphical display: DISPLAY '%s' cannot be opened; set SDL_VIDEODRIVER to "
                "force a driver.\n",
                display);
    }
}

} // namespace

bool startVideo(bool quiet) {
    if (SDL_Init(SDL_INIT_TIMER) < 0) {
        if (!quiet) {
            fprintf(stderr, "Video initialization failed: %s\n", SDL_GetError());
        }
        return false;
    }
    const char *named = getenv("SDL_VIDEODRIVER");
    if (named == nullptr || named[0] == '\0') {
        if (startX11()) {
            return true;
        }
        if (!quiet) {
            sayNoDisplay();
        }
        return false;
    }
    // A named driver gets a second try, as the first mode set used to give it.
    if (startDriver(nullptr) || startDriver(nullptr)) {
        return true;
    }
    if (!quiet) {
        fprintf(stderr, "Video initialization failed: %s\n", SDL_GetError());
    }
    return false;
}
