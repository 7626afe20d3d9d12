// Where saved games are kept: every world has a place of its own, named by the
// world's digest, that holds one save text a save, named as save_names.h says
// (save-0001.txt, save-0002.txt ... in sequence; save.txt and backup.txt of the
// versions before). Each front end keeps them its own way (its table's saves,
// front_end.h): the native program in files (saveFiles), the browser build in
// the page's storage. A store never replaces a save it holds: a new save takes a
// number no save has, and only the caller removes one (the oldest beyond the
// ten kept, and only when it reads as a save).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum SaveLookup {
    saveFound,
    saveMissing, // no such save
    saveRefused, // something is there that cannot be read as a save; problem says why
};

struct SaveEntry {
    std::string name; // a name of save_names.h
    int64_t modified; // when it was written, in seconds since 1970; 0: not known
};

struct SaveStore {
    // Where the save `name` of world is, as messages name it; with an empty name,
    // where the world's saves are.
    std::string (*place)(const std::string &world, const std::string &name);
    // The world's entries that bear a save's name, readable or not, in no order.
    std::vector<SaveEntry> (*list)(const std::string &world);
    // Its bytes, at most largestSaveText + 1 of them, so that a longer one shows.
    SaveLookup (*read)(const std::string &world, const std::string &name,
                       std::vector<uint8_t> &bytes, std::string &problem);
    // Keeps text as a new save, numbered after every save the world has (also
    // those that cannot be read), and sets name to its name. The number is taken
    // at once, so that two games saving at once get two numbers. The first save
    // of a world also notes dataFolder beside it where the store can. False with
    // the reason, and then every save is as it was.
    bool (*add)(const std::string &world, const std::string &text, const std::string &dataFolder,
                std::string &name, std::string &problem);
    // Removes one save; false when it could not.
    bool (*remove)(const std::string &world, const std::string &name);
};

// $XDG_DATA_HOME/varnok/saves/<world>/save-NNNN.txt (~/.local/share/...), each
// written to a temporary file, synced and given its name without replacing
// anything; world.txt beside them names the data folder.
extern const SaveStore saveFiles;
