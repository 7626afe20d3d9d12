#include "1-app/run/event_wait.h"

#include <SDL_syswm.h>
#include <poll.h>

#include "1-app/input/input_state.h"
#include "1-app/run/hang_up.h"
#include "1-app/run/timer.h"

namespace {

// How often SDL must look at the keyboard while a key is held, for its own key
// repeat (500 ms, then every 50 ms): SDL_WaitEvent's own rate.
const int heldKeyPoll = 10;

bool chosen = false;
bool ownTicks = false;
TickSchedule ticks;

// The display's connection, or -1 when the driver has none to wait on.
int displayConnection() {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) == 1 && info.subsystem == SDL_SYSWM_X11 &&
        info.info.x11.display != nullptr) {
        return ConnectionNumber(info.info.x11.display);
    }
#endif
    return -1;
}

// True while a key other than a lock key is down: SDL repeats it from its pumps.
bool keyHeld() {
    int count = 0;
    const Uint8 *keys = SDL_GetKeyState(&count);
    for (int k = 0; k < count; k++) {
        if (keys[k] != 0 && k != SDLK_NUMLOCK && k != SDLK_CAPSLOCK && k != SDLK_SCROLLOCK) {
            return true;
        }
    }
    return false;
}

// The first wait decides: with a connection the ticks become the loop's own. An
// open pad keeps SDL's wait: SDL reads a pad only when it pumps, not through the
// connection, and the pad's repeat runs on SDL's timer.
void chooseWait() {
    chosen = true;
    ownTicks = displayConnection() >= 0 && !padInUse();
    if (ownTicks) {
        stopTickTimer();
        startTickSchedule(ticks, SDL_GetTicks());
    }
}

// The event a hang-up turns into: the loop ends as if the window were closed.
bool hangUpEvent(SDL_Event *event) {
    if (!hangUpArrived()) {
        return false;
    }
    *event = SDL_Event{};
    event->type = SDL_QUIT;
    return true;
}

// SDL's own wait, which looks at the queue every 10 ms, looking for a hang-up too.
bool waitAsSdlDoes(SDL_Event *event) {
    for (;;) {
        SDL_PumpEvents();
        if (hangUpEvent(event)) {
            return true;
        }
        int got = SDL_PeepEvents(event, 1, SDL_GETEVENT, SDL_ALLEVENTS);
        if (got != 0) {
            return got > 0;
        }
        SDL_Delay(heldKeyPoll);
    }
}

} // namespace

bool waitForEvent(SDL_Event *event) {
    if (!chosen) {
        chooseWait();
    }
    if (!ownTicks) {
        return waitAsSdlDoes(event);
    }
    for (;;) {
        if (hangUpEvent(event)) {
            return true;
        }
        // Pumping reads what the connection holds and sends what was drawn, so
        // nothing is left waiting in the client while the loop sleeps.
        SDL_PumpEvents();
        Uint32 now = SDL_GetTicks();
        if (takeDueTick(ticks, now)) {
            *event = tickEvent();
            return true;
        }
        int got = SDL_PeepEvents(event, 1, SDL_GETEVENT, SDL_ALLEVENTS);
        if (got != 0) {
            return got > 0;
        }
        int connection = displayConnection();
        int timeout = (int)timeUntilTick(ticks, now);
        if (connection < 0) {
            // The display went away under us: SDL's rate, until it is back.
            SDL_Delay(heldKeyPoll);
            continue;
        }
        if (keyHeld() && timeout > heldKeyPoll) {
            timeout = heldKeyPoll;
        }
        pollfd wait = {connection, POLLIN, 0};
        poll(&wait, 1, timeout);
    }
}
