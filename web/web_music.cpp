// The browser build's step from a music file's bytes to music (3-audio/
// music_bytes.h): emscripten's mixer reads music only from its own stream
// records, not from an SDL 1.2 SDL_RWops, so the bytes are handed over to it
// (page_calls.h); it keeps its own copy, so there is no source to close. Playing,
// halting and freeing stay emscripten's.
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>

#include "3-audio/music_bytes.h"
#include "page_calls.h"

Mix_Music *musicFromBytes(const uint8_t *bytes, int size, SDL_RWops **source) {
    *source = nullptr;
    return (Mix_Music *)(intptr_t)webLoadMusic(bytes, size);
}

void Mix_CloseAudio() {
    webCloseMixer();
}
