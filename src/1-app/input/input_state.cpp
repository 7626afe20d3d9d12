#include "1-app/input/input_state.h"

namespace {

SDLKey lastKey = SDLK_UNKNOWN;
int lastButton = -1;
bool padOpen = false;

} // namespace

void noteKeyWithoutCommand(SDLKey sym) {
    lastKey = sym;
}

SDLKey lastKeyWithoutCommand() {
    return lastKey;
}

void noteButtonWithoutCommand(int button) {
    lastButton = button;
}

int lastButtonWithoutCommand() {
    return lastButton;
}

void notePadInUse(bool inUse) {
    padOpen = inUse;
}

bool padInUse() {
    return padOpen;
}
