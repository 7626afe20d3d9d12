// Where saved games are kept: one save per world, named by the world's digest,
// with the save before it kept as a backup. Each front end keeps saves its own
// way (its table's saves, front_end.h): the native program in files
// (saveFiles), the browser build in the page's storage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum SaveLookup {
    saveFound,
    saveMissing, // nothing saved for this world yet
    saveRefused, // something is there that cannot be read as a save; problem says why
};

struct SaveStore {
    // Where the save of world is, as messages name it.
    std::string (*place)(const std::string &world);
    // Its bytes, at most largestSaveText + 1 of them, so that a longer one shows.
    SaveLookup (*read)(const std::string &world, std::vector<uint8_t> &bytes, std::string &problem);
    // Replaces the save by text, keeping the one before as the backup; false with
    // the reason, and then the old save is as it was.
    bool (*write)(const std::string &world, const std::string &text, std::string &problem);
};

// $XDG_DATA_HOME/varnok/saves/<world>/save.txt (~/.local/share/...), written to a
// temporary file and renamed over it; the one before becomes backup.txt.
extern const SaveStore saveFiles;
