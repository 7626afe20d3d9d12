// The text of a saved game: a first line "varnok-save 1", then one key=value line
// for each field of the player's place, the clock and the music; short, readable
// and editable by hand. Reading it checks every field and refuses, with the reason,
// anything that is not such a text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SavedGame {
    int32_t map;   // MapKind 0-5
    int32_t level; // 0-15
    int32_t column;
    int32_t row; // inside the map: 0-255 on a world map, 0-31 in a settlement
    int32_t returnColumn;
    int32_t returnRow; // the world-map cell a settlement was entered by
    int32_t floor;     // 0-255, relative to the entry level
    int32_t location;  // 0-39
    int32_t clock;     // minute of the day, 0-1439
    int32_t music;     // piece of music playing, 0-53
};

// A save text is never longer; a longer file is no save.
const int64_t largestSaveText = 4096;

std::string saveText(const SavedGame &game);

// False with the reason in problem ("line 3: map=9 is out of range 0-5"); game is
// only changed when the whole text is good.
bool readSaveText(const std::vector<uint8_t> &bytes, SavedGame &game, std::string &problem);
