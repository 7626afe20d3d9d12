#include "1-app/config/setting_table.h"

#include <cstring>

namespace {

// A setting of the settings file alone, given by no option.
constexpr SettingRow fileOnly(const char *key, SettingValue value) {
    return {key, value, noOption, noOption, aSwitch};
}

} // namespace

// The order of the rows is the order of the options in --help, after --data and
// --config. The data directory's option is --data, which is no setting's own:
// it also takes the place of DATA_DIR. constexpr: the table is there before
// any code runs, so the record's initial values can be read from it.
constexpr SettingRow settingRows[] = {
    {"directory", textSetting(&Settings::directory), noOption, noOption, aSwitch},
    {"fullscreen",
     numberSetting(&Settings::fullscreen, 1, 0),
     {"fullscreen", 'f', nullptr, "play full screen (as fullscreen=1)"},
     {"window", 'w', nullptr, "play in a window (as fullscreen=0)"},
     aSwitch},
    // video=2 reads as the 16-colour mode, as 0 does; no option gives it.
    {"video",
     numberSetting(&Settings::video, 2, 1),
     {"colours", 0, "colors", "4-colour or 16-colour graphics (as video=1 or video=0)"},
     noOption,
     {"4|16", {{"4", 1}, {"16", 0}}}},
    {"music",
     numberSetting(&Settings::music, 1, 0),
     {"music", 0, nullptr, "play music (as music=1)"},
     {"no-music", 0, nullptr, "no music (as music=0)"},
     aSwitch},
    {"scale",
     numberSetting(&Settings::scale, 4, 1),
     {"scale", 0, nullptr, "N times 640x400, 0 fits the desktop (as scale=N)"},
     noOption,
     {"N", {}}},
    {"aspect",
     numberSetting(&Settings::aspect, 1, 0),
     {"aspect", 0, nullptr, "stretch the picture to 4:3 (as aspect=1)"},
     {"no-aspect", 0, nullptr, "square pixels (as aspect=0)"},
     aSwitch},
    {"screenshots",
     textSetting(&Settings::screenshots),
     {"screenshots", 0, nullptr, "save screenshots (F12) into DIR (as screenshots=)"},
     noOption,
     {"DIR", {}}},
    {"load",
     numberSetting(&Settings::load, 1, 0),
     {"load", 0, nullptr, "start from the save of this world (as load=1)"},
     noOption,
     aSwitch},
    fileOnly("autosave", numberSetting(&Settings::autosave, 1, 0)),
    // Keys added to the game's own: what each command does, key_bindings.cpp.
    fileOnly("key_north", keyListSetting(&Settings::keyNorth)),
    fileOnly("key_south", keyListSetting(&Settings::keySouth)),
    fileOnly("key_east", keyListSetting(&Settings::keyEast)),
    fileOnly("key_west", keyListSetting(&Settings::keyWest)),
    fileOnly("key_pass", keyListSetting(&Settings::keyPass)),
    fileOnly("key_enter", keyListSetting(&Settings::keyEnter)),
    fileOnly("key_klimb", keyListSetting(&Settings::keyKlimb)),
    fileOnly("key_look", keyListSetting(&Settings::keyLook)),
    fileOnly("key_yes", keyListSetting(&Settings::keyYes)),
    fileOnly("key_no", keyListSetting(&Settings::keyNo)),
    fileOnly("key_save", keyListSetting(&Settings::keySave)),
    fileOnly("key_load", keyListSetting(&Settings::keyLoad)),
    fileOnly("joystick", numberSetting(&Settings::joystick, 1, 1)),
    fileOnly("button_enter", numberSetting(&Settings::buttonEnter, highestButton, 0)),
    fileOnly("button_look", numberSetting(&Settings::buttonLook, highestButton, 1)),
    fileOnly("button_klimb", numberSetting(&Settings::buttonKlimb, highestButton, 2)),
    fileOnly("button_pass", numberSetting(&Settings::buttonPass, highestButton, 3)),
    fileOnly("button_save", numberSetting(&Settings::buttonSave, highestButton, 4)),
    fileOnly("button_load", numberSetting(&Settings::buttonLoad, highestButton, 5)),
    fileOnly("button_keys", numberSetting(&Settings::buttonKeys, highestButton, 6)),
    fileOnly("button_quit", numberSetting(&Settings::buttonQuit, highestButton, 7)),
    fileOnly("button_yes", numberSetting(&Settings::buttonYes, highestButton, 0)),
    fileOnly("button_no", numberSetting(&Settings::buttonNo, highestButton, 1)),
    // The desktop entry starts the game with it: a player who started it from a
    // menu sees why it did not start.
    {"errorwindow",
     numberSetting(&Settings::errorWindow, 1, 0),
     {"error-window", 0, nullptr, "also show a start-up error in a window (as errorwindow=1)"},
     noOption,
     aSwitch},
};

const int settingCount = sizeof settingRows / sizeof settingRows[0];

const SettingRow *findSetting(const char *key) {
    for (const SettingRow &row : settingRows) {
        if (strcmp(key, row.key) == 0) {
            return &row;
        }
    }
    return nullptr;
}

Settings defaultSettings() {
    Settings defaults = {};
    for (const SettingRow &row : settingRows) {
        if (row.value.number != nullptr) {
            defaults.*row.value.number = row.value.byDefault;
        }
    }
    return defaults;
}
