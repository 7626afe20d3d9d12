// Saves in the browser: the page's local storage keeps each save of a world as
// one varnok-save 1 text under "varnok/saves/<world>/<name>", the names of
// save_names.h, as the desktop keeps files. A storage that is full or switched
// off refuses the new save and leaves every other as it was; the page hears of
// each change to the list (webSavesChanged).
#include <cstdlib>
#include <string>
#include <vector>

#include "1-app/saves/save_names.h"
#include "1-app/saves/save_store.h"
#include "2-play/save_text.h"
#include "page_calls.h"
#include "web_saves.h"

namespace {

std::string folderOf(const std::string &world) {
    return "varnok/saves/" + world + "/";
}

std::string placeOfSave(const std::string &world, const std::string &name) {
    return "browser storage " + folderOf(world) + name;
}

std::vector<SaveEntry> listSaves(const std::string &world) {
    std::vector<SaveEntry> entries;
    char *keys = webStorageKeys(folderOf(world).c_str());
    if (keys == nullptr) {
        return entries;
    }
    std::string list = keys;
    free(keys);
    size_t prefix = folderOf(world).size();
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find('\n', start);
        end = end == std::string::npos ? list.size() : end;
        std::string name = list.substr(start + prefix, end - start - prefix);
        if (saveNumberOf(name) >= 0) {
            entries.push_back({name, 0});
        }
        start = end + 1;
    }
    return entries;
}

SaveLookup readSave(const std::string &world, const std::string &name,
                    std::vector<uint8_t> &bytes, std::string &problem) {
    char *text = webReadStorage((folderOf(world) + name).c_str());
    if (text == nullptr) {
        return saveMissing;
    }
    std::string whole = text;
    free(text);
    // As the file reader does: no more than a save can be, and one byte to show it.
    if ((int64_t)whole.size() > largestSaveText) {
        whole.resize(largestSaveText + 1);
    }
    bytes.assign(whole.begin(), whole.end());
    problem.clear();
    return saveFound;
}

bool addSave(const std::string &world, const std::string &text, const std::string &,
             std::string &name, std::string &problem) {
    int64_t number = nextSaveNumber(listSaves(world));
    for (int tries = 0; tries < 1000; tries++, number++) {
        name = numberedSaveName(number);
        int added = webAddStorage((folderOf(world) + name).c_str(), text.c_str());
        if (added == 1) {
            webSavesChanged();
            return true;
        }
        if (added == 0) {
            problem = "the browser's storage is full or switched off";
            return false;
        }
    }
    problem = "no free number for a new save";
    return false;
}

bool removeSave(const std::string &world, const std::string &name) {
    bool removed = webRemoveStorage((folderOf(world) + name).c_str()) != 0;
    webSavesChanged();
    return removed;
}

} // namespace

const SaveStore pageSaves = {placeOfSave, listSaves, readSave, addSave, removeSave};
