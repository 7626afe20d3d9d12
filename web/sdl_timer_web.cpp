// SDL 1.2's clock and timer calls, kept by the web build (see web_timer.h).
// Emscripten's SDL_Init would start its clock but also hang listeners on the
// window that keep every finished run of the engine in memory; this one only
// starts the clock.
#include <emscripten.h>

#include <SDL.h>
#include <new>

#include "web_timer.h"

struct _SDL_TimerID {
    Uint32 interval;
    SDL_NewTimerCallback callback;
    void *parameter;
    Uint32 due;
    _SDL_TimerID *next;
};

namespace {

_SDL_TimerID *firstTimer = nullptr;
double startTime = 0; // ms, emscripten's clock at SDL_Init

// True once `due` is now or past, the tick counter's wrap included.
bool reached(Uint32 due, Uint32 now) {
    return (Sint32)(now - due) >= 0;
}

} // namespace

int SDL_Init(Uint32) {
    startTime = emscripten_get_now();
    return 0;
}

void SDL_Quit() {
}

Uint32 SDL_GetTicks() {
    return (Uint32)(emscripten_get_now() - startTime);
}

SDL_TimerID SDL_AddTimer(Uint32 interval, SDL_NewTimerCallback callback, void *parameter) {
    _SDL_TimerID *timer = new (std::nothrow) _SDL_TimerID{
        interval, callback, parameter, SDL_GetTicks() + interval, firstTimer};
    if (timer != nullptr) {
        firstTimer = timer;
    }
    return timer;
}

SDL_bool SDL_RemoveTimer(SDL_TimerID id) {
    for (_SDL_TimerID **link = &firstTimer; *link != nullptr; link = &(*link)->next) {
        if (*link == id) {
            *link = id->next;
            delete id;
            return SDL_TRUE;
        }
    }
    return SDL_FALSE;
}

void runDueTimers() {
    Uint32 now = SDL_GetTicks();
    _SDL_TimerID **link = &firstTimer;
    while (*link != nullptr) {
        _SDL_TimerID *timer = *link;
        if (!reached(timer->due, now)) {
            link = &timer->next;
            continue;
        }
        Uint32 next = timer->callback(timer->interval, timer->parameter);
        if (next == 0) {
            *link = timer->next;
            delete timer;
            continue;
        }
        timer->interval = next;
        timer->due = now + next;
        link = &timer->next;
    }
}
