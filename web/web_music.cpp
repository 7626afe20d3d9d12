// The browser build's step from an open music file to music (3-audio/
// music_file.h; its table's musicFromFile): emscripten's mixer reads music only
// from its own stream records, not from an SDL 1.2 SDL_RWops, so the file's bytes
// are read here and handed over to it (page_calls.h); it keeps its own copy, so
// there is no source to close. Playing, halting and freeing stay emscripten's.
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "4-data/regular_file.h"
#include "4-data/shown_text.h"
#include "page_calls.h"
#include "web_front_end.h"

namespace {

// The page holds a piece whole while it decodes it: larger files are not read.
const int64_t largestPiece = 64LL * 1024 * 1024;

} // namespace

Mix_Music *musicFromBytes(FILE *file, int64_t size, const char *path, SDL_RWops **source) {
    *source = nullptr;
    std::vector<uint8_t> bytes;
    FileRefusal why = size <= largestPiece ? readMoreOf(file, size, bytes) : fileMissing;
    fclose(file);
    if (size > largestPiece) {
        fprintf(stderr, "Warning: music file '%s' is larger than %lld MiB\n",
                shownText(path).c_str(), (long long)(largestPiece >> 20));
        return nullptr;
    }
    if (why != fileAccepted || bytes.empty()) {
        return nullptr;
    }
    return (Mix_Music *)(intptr_t)webLoadMusic(bytes.data(), (int)bytes.size());
}

void Mix_CloseAudio() {
    webCloseMixer();
}
