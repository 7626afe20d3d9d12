#include "1-app/saves/save_game.h"

#include <cstdio>
#include <string>
#include <vector>

#include "1-app/display/overlays.h"
#include "1-app/saves/save_store.h"
#include "1-app/config/settings.h"
#include "1-app/front_end.h"
#include "2-play/game.h"
#include "2-play/input_stack.h"
#include "2-play/saved_game.h"
#include "4-data/world_digest.h"

namespace {

std::string worldName; // the digest, worked out the first time a save needs it

// Where the front end keeps saves.
const SaveStore &store() {
    return *frontEnd().saves;
}

const std::string &world() {
    if (worldName.empty()) {
        worldName = worldDigest();
    }
    return worldName;
}

// A prompt lies over the command handler: the command it belongs to is not done.
bool questionOpen(const Game &game) {
    return inputStackDepth(game.inputStack) > 1;
}

void say(const char *what, const std::string &place) {
    printf("%s: %s\n", what, place.c_str());
    fflush(stdout);
}

void complain(const char *what, const std::string &place, const std::string &problem) {
    fprintf(stderr, "Cannot %s '%s': %s\n", what, place.c_str(), problem.c_str());
    fflush(stderr);
}

bool saveGame(const Game &game) {
    std::string place = store().place(world());
    std::string problem;
    if (!store().write(world(), saveText(currentGame(game)), problem)) {
        complain("save the game to", place, problem);
        return false;
    }
    say("Game saved", place);
    return true;
}

enum LoadResult { loaded, nothingSaved, notLoaded };

LoadResult loadGame(Game &game) {
    std::string place = store().place(world());
    std::vector<uint8_t> bytes;
    std::string problem;
    SaveLookup found = store().read(world(), bytes, problem);
    if (found == saveMissing) {
        return nothingSaved;
    }
    SavedGame saved;
    if (found == saveRefused || !readSaveText(bytes, saved, problem)) {
        complain("load the game from", place, problem);
        return notLoaded;
    }
    resumeGame(game, saved);
    say("Game loaded", place);
    return loaded;
}

} // namespace

void saveKey(Game &game) {
    if (questionOpen(game)) {
        showNotice("Answer first", noticeTime);
        return;
    }
    showNotice(saveGame(game) ? "Saved" : "Not saved", noticeTime);
}

void loadKey(Game &game) {
    if (questionOpen(game)) {
        showNotice("Answer first", noticeTime);
        return;
    }
    const char *notices[] = {"Loaded", "Nothing saved", "Not loaded"};
    showNotice(notices[loadGame(game)], noticeTime);
}

bool loadAtStart(Game &game) {
    LoadResult result = loadGame(game);
    if (result == nothingSaved) {
        say("No saved game to load", store().place(world()));
    }
    return result == loaded;
}

void saveOnQuit(const Game &game) {
    if (settings.autosave == 1) {
        saveGame(game);
    }
}

void forgetWorld() {
    worldName.clear();
}
