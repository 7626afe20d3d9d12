// The mixer calls the engine makes that emscripten's SDL_mixer cannot take as
// they are. Its JavaScript reads music only from its own stream records, not
// from an SDL 1.2 SDL_RWops, and it has no SDL_RWFromFP; so the file is read
// here and its bytes handed over (page_calls.h). Playing, halting and freeing
// stay emscripten's.
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "page_calls.h"

namespace {

// Bytes past this are no music a page should hold; SDL_mixer would stream them.
const long largestPiece = 64L * 1024 * 1024;

FILE *fileOf(SDL_RWops *context) {
    return context->hidden.stdio.fp;
}

int seekFile(SDL_RWops *context, int offset, int whence) {
    if (fseek(fileOf(context), offset, whence) != 0) {
        return -1;
    }
    return (int)ftell(fileOf(context));
}

int readFile(SDL_RWops *context, void *bytes, int size, int count) {
    return (int)fread(bytes, (size_t)size, (size_t)count, fileOf(context));
}

int writeFile(SDL_RWops *context, const void *bytes, int size, int count) {
    return (int)fwrite(bytes, (size_t)size, (size_t)count, fileOf(context));
}

int closeFile(SDL_RWops *context) {
    if (context->hidden.stdio.autoclose) {
        fclose(fileOf(context));
    }
    free(context);
    return 0;
}

} // namespace

SDL_RWops *SDL_RWFromFP(FILE *file, int autoclose) {
    SDL_RWops *context = (SDL_RWops *)calloc(1, sizeof(SDL_RWops));
    if (context == nullptr) {
        return nullptr;
    }
    context->seek = seekFile;
    context->read = readFile;
    context->write = writeFile;
    context->close = closeFile;
    context->hidden.stdio.fp = file;
    context->hidden.stdio.autoclose = autoclose;
    return context;
}

Mix_Music *Mix_LoadMUS_RW(SDL_RWops *source) {
    int size = SDL_RWseek(source, 0, SEEK_END);
    if (size <= 0 || size > largestPiece || SDL_RWseek(source, 0, SEEK_SET) != 0) {
        return nullptr;
    }
    uint8_t *bytes = (uint8_t *)malloc((size_t)size);
    if (bytes == nullptr) {
        return nullptr;
    }
    int music = SDL_RWread(source, bytes, 1, size) == size ? webLoadMusic(bytes, size) : 0;
    // The mixer keeps its own copy.
    free(bytes);
    return (Mix_Music *)(intptr_t)music;
}

void Mix_CloseAudio() {
    webCloseMixer();
}
