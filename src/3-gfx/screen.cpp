#include "3-gfx/screen.h"

SDL_Surface *screen = nullptr;
void (*presentHook)() = nullptr;
void (*pauseHook)(Uint32 milliseconds) = nullptr;

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
