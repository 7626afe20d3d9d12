#include "3-audio/music.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "3-audio/mixer.h"
#include "3-audio/music_file.h"
#include "3-audio/music_header.h"
#include "4-data/file_formats.h"
#include "4-data/ini_text.h"
#include "4-data/paths.h"
#include "4-data/regular_file.h"
#include "4-data/shown_text.h"
#include "4-data/text_warning.h"

// Index = music number. Keys 7-38 name the place whose entering plays them.
const char *const musicKeys[musicNumberCount] = {
    "theme",      "overworld",   "underworld", "sailing",    "combat1",    "combat2",
    "combat3",    "millbrook",   "saltmere",   "emberfold",  "harrowgate", "ravensford",
    "windhollow", "copperdale",  "thornwick",  "haldervine", "ostrand",    "stonefang",
    "grimwall",   "duskhold",    "willowcot",  "mossden",    "briarcot",   "hermitage",
    "marlow",     "oakhurst",    "pebbleton",  "dunmore",    "wrenfield",  "ashby",
    "underhold",  "blackspire",  "irongate",   "cinderhold", "frostholm",  "greywatch",
    "tidelamp",   "stormbeacon", "gullrock",   "shrine",     "tavern",     "lament",
    "victory",    "farewell",    "dawn",       "dusk",       "market",     "harbour",
    "festival",   "requiem",     "voyage",     "council",    "ballad",     "finale",
};

namespace {

char **paths = nullptr;
int pathCount = 0;
Mix_Music *playing = nullptr;
uint16_t wanted = musicNumberCount; // the piece last asked for; none before any

const int mixRate = 22050;
const int mixChannels = 2;
const int mixChunkSize = 4096;

// What this module opened, so that teardown undoes exactly that and no more.
bool audioSubsystemStarted = false;
bool mixerOpen = false;

// What the mixer reads the current piece through; kept until the piece stops.
SDL_RWops *currentSource = nullptr;

MusicFromFile musicFromFile = nullptr; // the front end's

void stopCurrentMusic() {
    if (playing != nullptr) {
        mixerCalls().haltMusic();
        mixerCalls().freeMusic(playing);
        playing = nullptr;
    }
    if (currentSource != nullptr) {
        SDL_RWclose(currentSource);
        currentSource = nullptr;
    }
}

// True when the open file may go to the mixer: no WAV or AIFF whose header would
// make it crash or hang (music_header.h). Only the head is read; the file is left at its
// start.
bool playableFile(FILE *file, int64_t size, const char *path) {
    std::vector<uint8_t> head;
    FileRefusal why = readMoreOf(file, size < musicHeadLimit ? size : musicHeadLimit, head);
    std::string problem = impossibleMusicHeader(head.data(), (int64_t)head.size(), size);
    if (why == fileAccepted && problem.empty()) {
        return fseek(file, 0, SEEK_SET) == 0;
    }
    if (!problem.empty()) {
        fprintf(stderr, "Warning: music file '%s' has an impossible %s\n", shownText(path).c_str(),
                problem.c_str());
        fflush(stderr);
    }
    return false;
}

// Loads and starts one file, looping; leaves silence when that fails. Only a
// regular file is opened: a FIFO would block the game, a folder is no music.
void startPiece(const char *path) {
    FileRefusal why = fileMissing;
    int64_t size = 0;
    FILE *file = openRegularFile(path, &size, &why);
    if (why == fileNotRegular) {
        warnNotRegularFile("music file", path);
    }
    if (file == nullptr) {
        return;
    }
    if (!playableFile(file, size, path) || musicFromFile == nullptr) {
        fclose(file);
        return;
    }
    playing = musicFromFile(file, size, path, &currentSource);
    if (playing == nullptr || mixerCalls().playMusic(playing, -1) != 0) {
        stopCurrentMusic();
    }
}

void freeMusicTable() {
    if (paths != nullptr) {
        for (int n = 0; n < pathCount; n++) {
            free(paths[n]);
        }
        free(paths);
    }
    paths = nullptr;
    pathCount = 0;
}

// The text of one candidate "music.ini", or nullptr; one that is there but is no
// regular file is named on standard error and skipped.
char *readMusicList(const char *path) {
    FileRefusal why;
    char *text = readIniFile(path, &why);
    if (text == nullptr && why == fileNotRegular) {
        warnNotRegularFile("music list", path);
    }
    return text;
}

// A music file is named inside the music folder: not by an absolute path, and
// without a ".." part that would climb out of it.
bool insideMusicFolder(const char *value) {
    if (value[0] == '/') {
        return false;
    }
    for (const char *part = value; part != nullptr; part = strchr(part, '/')) {
        part += *part == '/' ? 1 : 0;
        if (strncmp(part, "..", 2) == 0 && (part[2] == '/' || part[2] == '\0')) {
            return false;
        }
    }
    return true;
}

} // namespace

char **const &musicPaths = paths;
const int &musicCount = pathCount;
Mix_Music *const &currentMusic = playing;

bool initAudio(bool musicOn) {
    // With music off nothing of the audio is touched: no device, no mixer, no
    // music.ini.
    if (!musicOn) {
        return false;
    }
    // Without its library there is no music, and the device is left alone.
    std::string problem;
    if (!openMixer(problem)) {
        reportMusicOff(problem.c_str());
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == -1) {
        reportMusicOff(SDL_GetError());
        return false;
    }
    audioSubsystemStarted = true;
    if (mixerCalls().openAudio(mixRate, AUDIO_S16LSB, mixChannels, mixChunkSize) != 0) {
        reportMusicOff(SDL_GetError()); // the mixer's errors are SDL's
        return false;
    }
    mixerOpen = true;
    loadMusicTable();
    return true;
}

void reportMusicOff(const char *reason) {
    fprintf(stderr, "Music is off: %s\n",
            reason != nullptr && reason[0] != '\0' ? reason : "SDL gave no reason");
    fflush(stderr);
}

void useMusicFromFile(MusicFromFile loader) {
    musicFromFile = loader;
}

void loadMusicTable() {
    freeMusicTable();
    paths = (char **)calloc(musicNumberCount, sizeof(char *));
    if (paths == nullptr) {
        return;
    }
    pathCount = musicNumberCount;
    // The player's own list in the current directory first, else the one that
    // comes with the data.
    char *text = readMusicList(musicTableFileName);
    if (text != nullptr) {
        parseIniFileText(text, musicTableFileName, addMusicEntry);
        finishTextWarnings();
        free(text);
        return;
    }
    char *path = makeDataPath(musicTableFileName);
    // With the data in the current directory that is the same file again.
    bool another = path != nullptr && strcmp(path, musicTableFileName) != 0;
    text = another ? readMusicList(path) : nullptr;
    if (text != nullptr) {
        parseIniFileText(text, path, addMusicEntry);
        finishTextWarnings();
        free(text);
    }
    free(path);
}

void addMusicEntry(const char *key, const char *value) {
    if (paths == nullptr || value == nullptr || value[0] == '\0') {
        return;
    }
    for (int n = 0; n < pathCount; n++) {
        if (strcmp(key, musicKeys[n]) != 0) {
            continue;
        }
        if (!insideMusicFolder(value)) {
            warnAtPair("'%s' is not a file inside the music folder; %s is ignored",
                       shownWord(value).c_str(), key);
            return;
        }
        size_t length = strlen(musicFolderName) + strlen(value) + 1;
        char *name = (char *)malloc(length);
        if (name == nullptr) {
            return;
        }
        snprintf(name, length, "%s%s", musicFolderName, value);
        char *path = makeDataPath(name);
        free(name);
        // A later line for the same key wins.
        free(paths[n]);
        paths[n] = path;
        return;
    }
    warnAtPair("unknown music '%s'", shownWord(key).c_str());
}

void playMusic(uint16_t n) {
    wanted = n;
    if (!mixerOpen || paths == nullptr) {
        return;
    }
    // Every request stops what plays, so asking for the same number restarts it.
    stopCurrentMusic();
    // A number outside the table has no file: silence rather than a stray read.
    if (n >= pathCount || paths[n] == nullptr) {
        return;
    }
    startPiece(paths[n]);
}

const char *wantedMusicPath() {
    return paths != nullptr && wanted < pathCount ? paths[wanted] : nullptr;
}

void musicFileArrived(const char *path) {
    const char *want = wantedMusicPath();
    if (playing == nullptr && want != nullptr && path != nullptr && strcmp(path, want) == 0) {
        playMusic(wanted);
    }
}

void closeAudio() {
    freeMusicTable();
    stopCurrentMusic();
    // Closing a mixer that never opened would undo someone else's open.
    if (mixerOpen) {
        mixerCalls().closeAudio();
        mixerOpen = false;
    }
    if (audioSubsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioSubsystemStarted = false;
    }
}
