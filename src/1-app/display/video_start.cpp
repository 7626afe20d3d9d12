#include "1-app/display/video_start.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "1-app/display/video.h"

namespace {

// sdl12-compat answers a second start after a failed one with success, yet no
// driver runs (a mode set then fails, or the game runs on no display at all):
// only a driver with a name counts as started. Its own reason would only say that
// video is not started, so the reason given names the driver that is not there.
bool driverRunning() {
    char name[64];
    if (SDL_VideoDriverName(name, sizeof name) != nullptr) {
        return true;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    const char *named = getenv("SDL_VIDEODRIVER");
    SDL_SetError("%s not available", named != nullptr && named[0] != '\0' ? named : "video");
    return false;
}

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
    bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && driverRunning();
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
            sayVideoFailed();
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
        sayVideoFailed();
    }
    return false;
}
