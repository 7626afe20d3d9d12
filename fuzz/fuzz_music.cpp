// Fuzzes the music check and, for what it lets through, the mixer's own loader
// (the library the game loads) on the dummy audio driver: the check must turn
// away every header that would make the mixer crash, hang or allocate without
// bound.
#include <SDL.h>
#include <cstdlib>
#include <string>

#include "3-audio/mixer.h"
#include "3-audio/music_header.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string problem;
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || !openMixer(problem) ||
        mixerCalls().openAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    int64_t head = (int64_t)size < musicHeadLimit ? (int64_t)size : musicHeadLimit;
    if (!impossibleMusicHeader(data, head, (int64_t)size).empty()) {
        return 0;
    }
    SDL_RWops *source = SDL_RWFromConstMem(data, (int)size);
    Mix_Music *music = source != nullptr ? mixerCalls().loadMusic(source) : nullptr;
    if (music != nullptr) {
        mixerCalls().freeMusic(music);
    }
    if (source != nullptr) {
        SDL_RWclose(source);
    }
    return 0;
}
