// Saves in the browser: the page's local storage keeps the save of each world
// under the world's digest, as the desktop keeps a file, and the one before it as
// the backup. A storage that is full or switched off leaves the old save as it was
// and says why.
#include <cstdlib>
#include <string>
#include <vector>

#include "1-app/saves/save_store.h"
#include "2-play/save_text.h"
#include "page_calls.h"
#include "web_saves.h"

namespace {

std::string keyOf(const std::string &world, const char *name) {
    return "varnok/saves/" + world + "/" + name;
}

std::string placeOfSave(const std::string &world) {
    return "browser storage " + keyOf(world, "save.txt");
}

SaveLookup readSave(const std::string &world, std::vector<uint8_t> &bytes, std::string &problem) {
    char *text = webReadStorage(keyOf(world, "save.txt").c_str());
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

bool writeSave(const std::string &world, const std::string &text, std::string &problem) {
    if (webWriteStorage(keyOf(world, "save.txt").c_str(), keyOf(world, "backup.txt").c_str(),
                        text.c_str()) == 0) {
        problem = "the browser's storage is full or switched off";
        return false;
    }
    return true;
}

} // namespace

const SaveStore pageSaves = {placeOfSave, readSave, writeSave};
