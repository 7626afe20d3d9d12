// The functions the page calls (exported to page.js): keys in, a request to end,
// the names of the data files to fetch, the music that arrives after the first
// frame, the key repeat for the touch pad, the world's saves (the list, a load,
// a download and an upload), and the pass time for the figures.
#include <emscripten.h>

#include <SDL.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "1-app/display/video.h"
#include "1-app/saves/save_game.h"
#include "2-play/commands.h"
#include "3-audio/music.h"
#include "4-data/file_formats.h"
#include "4-data/ini_text.h"
#include "4-data/paths.h"
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
EMSCRIPTEN_KEEPALIVE int webKeyDown(const char *code, const char *key, int shift, int ctrl, int alt,
                                    int meta, int capsLock, int numLock) {
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

// The music file of the piece the game wants now (the place's), as named in the
// music list's answer above; "" when that piece has no file or music is off. The
// page fetches it before the others.
EMSCRIPTEN_KEEPALIVE const char *webWantedMusic() {
    const char *wanted = wantedMusicPath();
    answer = wanted != nullptr ? wanted : "";
    return answer.c_str();
}

// A music file (a name of webMusicFileNames) has been written into the data
// folder after the game started: when it is the piece the game wants and nothing
// plays, the piece starts now, as it would have on entering the place.
EMSCRIPTEN_KEEPALIVE void webMusicArrived(const char *name) {
    char *path = makeDataPath(name);
    musicFileArrived(path);
    free(path);
}

// The touch pad's buttons, from the command table: one a line, "key TAB code TAB
// label TAB command TAB group", the group "arrows" for the game keys that walk (or
// pass) in a direction prompt too, else "commands".
EMSCRIPTEN_KEEPALIVE const char *webPadButtons() {
    answer.clear();
    for (const CommandRow &command : commandRows) {
        for (const PadButton &button : command.pad) {
            if (button.key != nullptr) {
                bool walks =
                    command.action == giveGameKey && (command.contexts & inDirectionPrompt);
                const char *group = walks ? "arrows" : "commands";
                answer += std::string(button.key) + "\t" + button.code + "\t" + button.label +
                          "\t" + command.label + "\t" + group + "\n";
            }
        }
    }
    return answer.c_str();
}

// A held key's repeat (video.h): the page's pad repeats a held direction the same
// way. 0 gives the delay, 1 the interval, in milliseconds.
EMSCRIPTEN_KEEPALIVE int webKeyRepeat(int which) {
    return which == 0 ? keyRepeatDelay : keyRepeatInterval;
}

// The world's saves, newest first, one a line: "number TAB when TAB place TAB
// column,row", or "number TAB TAB TAB TAB why" for one that cannot be read.
EMSCRIPTEN_KEEPALIVE const char *webSaveList() {
    answer.clear();
    for (const SaveListing &save : saveListing()) {
        answer += std::to_string(save.number) + "\t";
        if (save.readable) {
            answer += save.when + "\t" + save.where + "\t" + std::to_string(save.column) + "," +
                      std::to_string(save.row) + "\t\n";
        } else {
            answer += "\t\t\t" + save.problem + "\n";
        }
    }
    return answer.c_str();
}

// Loads the number-th newest save at the next pass, as F9 loads the newest.
EMSCRIPTEN_KEEPALIVE void webLoadSave(int number) {
    SDL_Event event = {};
    event.type = SDL_USEREVENT;
    event.user.code = loadSaveCode;
    event.user.data1 = reinterpret_cast<void *>((intptr_t)number);
    SDL_PushEvent(&event);
}

// The text of the number-th newest save, for a download; "" when it cannot be
// read (standard error says why).
EMSCRIPTEN_KEEPALIVE const char *webSaveText(int number) {
    std::string problem;
    if (!saveTextOf(number, answer, problem)) {
        fprintf(stderr, "Cannot download save %d: %s\n", number, problem.c_str());
        answer.clear();
    }
    return answer.c_str();
}

// A save file the player uploads, kept as the newest save: "" when it was, else
// the reason it was not.
EMSCRIPTEN_KEEPALIVE const char *webAddSave(const char *text) {
    std::string problem;
    answer = addSaveText(text != nullptr ? text : "", problem) ? "" : problem;
    return answer.c_str();
}

EMSCRIPTEN_KEEPALIVE double webLastPassMilliseconds() {
    return lastPassMilliseconds();
}
}
