#include "3-gfx/screen.h"

SDL_Surface *screen = nullptr;
void (*presentHook)() = nullptr;

void presentNow() {
    if (presentHook != nullptr) {
        presentHook();
    }
}
