// The one step from an open music file to music the mixer plays. The music
// module opens and checks the file itself (music.cpp); each front end supplies
// this step as a value (useMusicFromFile, music.h): the desktop lets SDL_mixer
// stream from the file (streamMusicFromFile), so a piece of any length costs no
// memory; the browser build reads the bytes and hands them to emscripten's mixer.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>
#include <cstdio>

// Music read from file (at its start, `size` bytes long, named path in messages),
// or nullptr when the mixer cannot read it. The file is taken over: it is closed
// with *source, what the music reads from, which is closed (SDL_RWclose) after
// Mix_FreeMusic; when nothing is left to close, *source is nullptr and the file
// is closed already.
typedef Mix_Music *(*MusicFromFile)(FILE *file, int64_t size, const char *path, SDL_RWops **source);

// The desktop's step: SDL_mixer streams from the file while the piece plays.
Mix_Music *streamMusicFromFile(FILE *file, int64_t size, const char *path, SDL_RWops **source);
