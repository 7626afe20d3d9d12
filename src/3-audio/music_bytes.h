// The one step from a music file's bytes to music the mixer plays. The music
// module reads the file itself (music.cpp); each front end supplies this step:
// the desktop hands the bytes to SDL_mixer (music_bytes.cpp), the browser build
// to emscripten's mixer.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>

// Music made of `size` bytes, or nullptr when the mixer cannot read them. The
// bytes stay the caller's and must outlive the music: the mixer may stream from
// them while it plays. *source is what the music reads from, to be closed
// (SDL_RWclose) after Mix_FreeMusic; nullptr when there is nothing to close.
Mix_Music *musicFromBytes(const uint8_t *bytes, int size, SDL_RWops **source);
