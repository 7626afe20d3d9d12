// The SDL_mixer calls the music makes, as one table. The desktop opens the
// library at run time, and only when music is asked for (mixer_library.cpp): a
// silent game never loads it nor the many libraries it brings. The browser build's
// table holds the mixer emscripten links in (web/web_mixer.cpp).
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <string>

struct MixerCalls {
    int (*openAudio)(int frequency, Uint16 format, int channels, int chunkSize);
    void (*closeAudio)();
    // nullptr where the front end hands music to its mixer another way.
    Mix_Music *(*loadMusic)(SDL_RWops *source);
    int (*playMusic)(Mix_Music *music, int loops);
    int (*haltMusic)();
    void (*freeMusic)(Mix_Music *music);
};

// Makes the mixer's calls ready, loading the library at the first call; false,
// with the reason in problem, when it cannot be loaded or lacks a call.
bool openMixer(std::string &problem);

// The calls; only after openMixer answered true.
const MixerCalls &mixerCalls();
