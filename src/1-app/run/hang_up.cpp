#include "1-app/run/hang_up.h"

#include <SDL_syswm.h>
#include <csignal>

namespace {

volatile sig_atomic_t hungUp = 0;
void (*sayLastWords)() = nullptr;

void onHangUp(int) {
    hungUp = 1;
}

#if defined(SDL_VIDEO_DRIVER_X11)
XIOErrorHandler displayLostBefore = nullptr;

// Xlib ends the program after this handler; the save comes first.
int onDisplayLost(Display *display) {
    if (sayLastWords != nullptr) {
        void (*words)() = sayLastWords;
        sayLastWords = nullptr; // once, even if saving itself meets the lost display
        words();
    }
    return displayLostBefore != nullptr ? displayLostBefore(display) : 0;
}
#endif

} // namespace

void endGracefullyOnHangUp(void (*lastWords)()) {
    sayLastWords = lastWords;
    struct sigaction action = {};
    action.sa_handler = onHangUp;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the loop's wait returns at once and sees the flag.
    sigaction(SIGHUP, &action, nullptr);
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) == 1 && info.subsystem == SDL_SYSWM_X11) {
        displayLostBefore = XSetIOErrorHandler(onDisplayLost);
    }
#endif
}

bool hangUpArrived() {
    return hungUp != 0;
}
