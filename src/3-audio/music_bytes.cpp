#include "3-audio/music_bytes.h"

Mix_Music *musicFromBytes(const uint8_t *bytes, int size, SDL_RWops **source) {
    *source = SDL_RWFromConstMem(bytes, size);
    if (*source == nullptr) {
        return nullptr;
    }
    // SDL_mixer 1.2 leaves the source open: it streams from it while playing.
    return Mix_LoadMUS_RW(*source);
}
