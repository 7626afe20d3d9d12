#include "1-app/saves/save_game.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "1-app/config/settings.h"
#include "1-app/display/overlays.h"
#include "1-app/front_end.h"
#include "1-app/saves/save_names.h"
#include "1-app/saves/save_store.h"
#include "2-play/game.h"
#include "2-play/input_stack.h"
#include "2-play/saved_game.h"
#include "4-data/maps.h"
#include "4-data/paths.h"
#include "4-data/shown_text.h"
#include "4-data/table_file.h"
#include "4-data/world_digest.h"

namespace {

std::string worldName; // the digest, worked out the first time a save needs it

// The comment line a save carries its time in; readers take it as a comment.
const char savedOn[] = "; saved ";

// A place on a world map is named by the settlement whose entrance lies this
// many cells away at most.
const int nearby = 8;

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

// Paths are shown safely: a folder name may hold any byte.
void say(const std::string &what, const std::string &place) {
    printf("%s: %s\n", what.c_str(), shownText(place.c_str()).c_str());
    fflush(stdout);
}

void complain(const char *what, const std::string &place, const std::string &problem) {
    fprintf(stderr, "Cannot %s '%s': %s\n", what, shownText(place.c_str()).c_str(),
            problem.c_str());
    fflush(stderr);
}

std::string timeText(time_t when) {
    struct tm local;
    char text[40];
    if (localtime_r(&when, &local) == nullptr ||
        strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) {
        return "";
    }
    return text;
}

// The text of the game, with the time it is saved as a comment after the first
// line.
std::string datedText(const Game &game) {
    std::string text = saveText(currentGame(game));
    size_t firstLineEnd = text.find('\n') + 1;
    return text.insert(firstLineEnd, savedOn + timeText(time(nullptr)) + "\n");
}

// The time a save text says it was saved; "" when it does not.
std::string savedTime(const std::vector<uint8_t> &bytes) {
    std::string text(bytes.begin(), bytes.end());
    size_t at = text.find(std::string("\n") + savedOn);
    if (at == std::string::npos) {
        return "";
    }
    at += 1 + sizeof savedOn - 1;
    std::string when = text.substr(at, text.find('\n', at) - at);
    if (!when.empty() && when.back() == '\r') {
        when.pop_back();
    }
    return shownWord(when);
}

std::string locationName(int i) {
    std::string name = i >= 0 && i < locationCount && locations[i].name ? locations[i].name : "";
    while (!name.empty() && (unsigned char)name.back() <= ' ') {
        name.pop_back();
    }
    return shownWord(name);
}

// The settlement the player is in, or the one near the player on the
// overworld, else the map's name.
std::string placeName(const SavedGame &saved) {
    if (saved.map >= towne) {
        std::string name = locationName(saved.location);
        return name.empty() ? "location " + std::to_string(saved.location) : name;
    }
    if (saved.map == overworld) {
        int best = -1, bestDistance = nearby + 1;
        for (int i = 0; i < locationCount; i++) {
            int distance = std::max(abs(locations[i].column - saved.column),
                                    abs(locations[i].row - saved.row));
            if (distance < bestDistance && !locationName(i).empty()) {
                best = i;
                bestDistance = distance;
            }
        }
        if (best >= 0) {
            return locationName(best);
        }
    }
    return saved.map == overworld ? "Overworld" : "Underworld";
}

std::vector<SaveEntry> entries() {
    return newestFirst(store().list(world()));
}

// The save of entry read: true with saved filled in, else false with the reason.
bool readEntry(const SaveEntry &entry, std::vector<uint8_t> &bytes, SavedGame &saved,
               std::string &problem) {
    SaveLookup found = store().read(world(), entry.name, bytes, problem);
    if (found == saveMissing) {
        problem = "it is gone";
        return false;
    }
    return found == saveFound && readSaveText(bytes, saved, problem);
}

// The numbered saves beyond the ten kept, the oldest last, go, each only when it
// reads as a save: what cannot be read stays for the player to look at.
void dropOldSaves() {
    int numbered = 0;
    for (const SaveEntry &entry : entries()) {
        if (saveNumberOf(entry.name) > 0 && ++numbered > keptSaves) {
            std::vector<uint8_t> bytes;
            SavedGame saved;
            std::string problem;
            if (readEntry(entry, bytes, saved, problem)) {
                store().remove(world(), entry.name);
            }
        }
    }
}

bool addText(const std::string &text, std::string &name, std::string &problem) {
    const char *data = dataDirectory();
    std::string dataFolder;
    if (data != nullptr) {
        char *absolute = realpath(data, nullptr);
        dataFolder = absolute != nullptr ? absolute : data;
        free(absolute);
    }
    if (!store().add(world(), text, dataFolder, name, problem)) {
        return false;
    }
    dropOldSaves();
    return true;
}

bool saveGame(const Game &game) {
    std::string name, problem;
    if (!addText(datedText(game), name, problem)) {
        complain("save the game to", store().place(world(), ""), problem);
        return false;
    }
    say("Game saved", store().place(world(), name));
    return true;
}

enum LoadResult { loaded, loadedOlder, nothingSaved, notLoaded };

// Save `number` (1: the newest). Asked for the newest, a save that cannot be read
// is named and the next older one is tried, so that one damaged or vanished file
// does not hide the rest; a save asked for by its number is that one or none.
LoadResult loadGame(Game &game, int number) {
    std::vector<SaveEntry> saves = entries();
    if (number < 1 || number > (int)saves.size()) {
        return nothingSaved;
    }
    int last = number == 1 ? (int)saves.size() : number;
    for (int i = number; i <= last; i++) {
        const SaveEntry &entry = saves[i - 1];
        std::string place = store().place(world(), entry.name);
        std::vector<uint8_t> bytes;
        SavedGame saved;
        std::string problem;
        if (!readEntry(entry, bytes, saved, problem)) {
            complain("load the game from", place, problem);
            continue;
        }
        resumeGame(game, saved);
        say(i == number ? "Game loaded" : "Game loaded from an older save", place);
        return i == number ? loaded : loadedOlder;
    }
    return notLoaded;
}

} // namespace

void saveKey(Game &game) {
    if (questionOpen(game)) {
        showNotice("Answer first", noticeTime);
        return;
    }
    showNotice(saveGame(game) ? "Saved" : "Not saved", noticeTime);
}

void loadSaveKey(Game &game, int number) {
    if (questionOpen(game)) {
        showNotice("Answer first", noticeTime);
        return;
    }
    const char *notices[] = {"Loaded", "Loaded an older save", "Nothing saved", "Not loaded"};
    showNotice(notices[loadGame(game, number)], noticeTime);
}

void loadKey(Game &game) {
    loadSaveKey(game, 1);
}

bool loadAtStart(Game &game) {
    int number = settings.load;
    LoadResult result = loadGame(game, number);
    if (result == nothingSaved) {
        size_t count = entries().size();
        std::string what = number == 1 || count == 0
                               ? std::string("No saved game to load")
                               : "No save " + std::to_string(number) + " to load (there are " +
                                     std::to_string(count) + ")";
        say(what, store().place(world(), ""));
    }
    return result == loaded || result == loadedOlder;
}

void saveOnQuit(const Game &game) {
    if (settings.autosave == 1) {
        saveGame(game);
    }
}

std::vector<SaveListing> saveListing() {
    std::vector<SaveListing> listing;
    for (const SaveEntry &entry : entries()) {
        SaveListing save = {(int)listing.size() + 1,
                            entry.name,
                            store().place(world(), entry.name),
                            false,
                            "",
                            "",
                            "",
                            0,
                            0};
        std::vector<uint8_t> bytes;
        SavedGame saved;
        save.readable = readEntry(entry, bytes, saved, save.problem);
        if (save.readable) {
            save.when = savedTime(bytes);
            if (save.when.empty() && entry.modified != 0) {
                save.when = timeText((time_t)entry.modified);
            }
            save.where = placeName(saved);
            save.column = saved.column;
            save.row = saved.row;
        }
        listing.push_back(save);
    }
    return listing;
}

std::string saveListingLine(const SaveListing &save) {
    std::string number = std::to_string(save.number);
    if (!save.readable) {
        return number + "  not readable: " + save.problem + "  " + save.place;
    }
    return number + "  " + (save.when.empty() ? "(time not known)" : save.when) + "  " +
           save.where + "  " + std::to_string(save.column) + "," + std::to_string(save.row);
}

void printSaveListing(FILE *out) {
    std::vector<SaveListing> listing = saveListing();
    for (const SaveListing &save : listing) {
        fprintf(out, "%s\n", saveListingLine(save).c_str());
    }
    if (listing.empty()) {
        fprintf(out, "No saves of this world in %s\n", store().place(world(), "").c_str());
    }
}

bool saveTextOf(int number, std::string &text, std::string &problem) {
    std::vector<SaveEntry> saves = entries();
    if (number < 1 || number > (int)saves.size()) {
        problem = "there is no save " + std::to_string(number);
        return false;
    }
    std::vector<uint8_t> bytes;
    SavedGame saved;
    if (!readEntry(saves[number - 1], bytes, saved, problem)) {
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

bool addSaveText(const std::string &text, std::string &problem) {
    SavedGame saved;
    std::string name;
    if (!readSaveText(std::vector<uint8_t>(text.begin(), text.end()), saved, problem) ||
        !addText(text, name, problem)) {
        return false;
    }
    say("Game saved", store().place(world(), name));
    return true;
}

void forgetWorld() {
    worldName.clear();
}
