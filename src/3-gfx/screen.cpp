#include "3-gfx/screen.h"

SDL_Surface *screen = nullptr;

namespace {

void (*presentHook)() = nullptr;
void (*pauseHook)(Uint32 milliseconds) = nullptr;

} // namespace

void useScreenHooks(void (*present)(), void (*pause)(Uint32 milliseconds)) {
    presentHook = present;
    pauseHook = pause;
}

void presentNow() {
    if (presentHook != nullptr) {
        presentHook();
    }
}

void pauseShown(Uint32 milliseconds) {
    if (pauseHook != nullptr) {
        pauseHook(milliseconds);
    }
}
