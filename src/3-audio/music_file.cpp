#include "3-audio/music_file.h"

#include "3-audio/mixer.h"

Mix_Music *streamMusicFromFile(FILE *file, int64_t, const char *, SDL_RWops **source) {
    *source = SDL_RWFromFP(file, SDL_TRUE);
    if (*source == nullptr) {
        fclose(file);
        return nullptr;
    }
    // SDL_mixer 1.2 leaves the source open: it streams from it while playing.
    return mixerCalls().loadMusic(*source);
}
