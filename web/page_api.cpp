// The functions the page calls (exported to page.js): keys in, a request to end,
// the names of the data files to fetch, and the pass time for the figures.
#include <emscripten.h>

#include <SDL.h>
#include <cstring>
#include <string>

#include "3-audio/music.h"
#include "4-data/file_formats.h"
#include "4-data/ini_text.h"
#include "key_names.h"
#include "web_pass.h"

namespace {

std::string answer; // the text of the last list asked for
std::string musicNames;

// Adds "name\n" to list unless it is there already.
void addOnce(std::string &list, const std::string &name) {
    std::string line = name + "\n";
    if (("\n" + list).find("\n" + line) == std::string::npos) {
        list += line;
    }
}

void addMusicName(const char *key, const char *value) {
    if (value == nullptr || value[0] == '\0') {
        return;
    }
    for (const char *known : musicKeys) {
        if (strcmp(key, known) == 0) {
            addOnce(musicNames, std::string(musicFolderName) + value);
            return;
        }
    }
}

} // namespace

extern "C" {

// A key pressed in the page; 1 when it is a key the game gets (the page then
// keeps the browser from acting on it), 0 for a key SDL 1.2 has no symbol for.
EMSCRIPTEN_KEEPALIVE int webKeyDown(const char *code, const char *key, int shift, int ctrl,
                                    int alt, int meta, int capsLock, int numLock) {
    SDLKey sym = sdlKeyFor(code, key);
    if (sym == SDLK_UNKNOWN) {
        return 0;
    }
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = sdlModifiersFor(shift, ctrl, alt, meta, capsLock, numLock);
    SDL_PushEvent(&event);
    return 1;
}

// The page wants the game to end (another world is to be played): as closing the
// native window.
EMSCRIPTEN_KEEPALIVE void webQuit() {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

// The data files the game may read in a colour mode, each once, one a line, as
// the game asks for them.
EMSCRIPTEN_KEEPALIVE const char *webDataFileNames(int fourColour) {
    answer.clear();
    for (const std::string &name : dataFileNames(fourColour != 0)) {
        answer += name + "\n";
    }
    return answer.c_str();
}

// The music files a music list names, each once, one a line, inside the data
// folder.
EMSCRIPTEN_KEEPALIVE const char *webMusicFileNames(const char *musicList) {
    musicNames.clear();
    std::string text = musicList != nullptr ? musicList : "";
    parseIniText(&text[0], addMusicName);
    return musicNames.c_str();
}

EMSCRIPTEN_KEEPALIVE double webLastPassMilliseconds() {
    return lastPassMilliseconds();
}
}
