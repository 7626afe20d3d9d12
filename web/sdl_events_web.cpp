// SDL 1.2's event queue for the browser build: the page puts key events in (see
// page_api.cpp), the timer its ticks, and the pass takes them out. Emscripten's
// queue holds SDL 1.3's event records, which the engine cannot read.
#include <SDL.h>

namespace {

// SDL 1.2 holds 127 events; a key sent to a full queue is lost, as natively.
const int queueSize = 128;

SDL_Event queue[queueSize];
int head = 0; // next event out
int tail = 0; // next free place
Uint8 eventStates[256];

} // namespace

int SDL_PushEvent(SDL_Event *event) {
    int next = (tail + 1) % queueSize;
    if (next == head) {
        return -1;
    }
    queue[tail] = *event;
    tail = next;
    return 0;
}

int SDL_PollEvent(SDL_Event *event) {
    if (head == tail) {
        return 0;
    }
    if (event != nullptr) {
        *event = queue[head];
        head = (head + 1) % queueSize;
    }
    return 1;
}

// Only the page makes events, and it makes no mouse events; the states are kept
// for the answer alone.
Uint8 SDL_EventState(Uint8 type, int state) {
    Uint8 previous = eventStates[type] == 0 ? SDL_ENABLE : SDL_IGNORE;
    if (state == SDL_ENABLE || state == SDL_IGNORE) {
        eventStates[type] = state == SDL_IGNORE ? 1 : 0;
    }
    return previous;
}

// Each key event carries its modifiers from the page; there is no state to reset.
void SDL_SetModState(SDLMod) {
}
