#include "1-app/config/setting_table.h"

#include <cstring>

#include "1-app/saves/save_names.h"

namespace {

// A setting of the settings file alone, given by no option.
constexpr SettingRow fileOnly(const char *key, SettingValue value) {
    return {key, value, noOption, noOption, aSwitch};
}

} // namespace

// The order of the rows is the order of the options in --help, after --data and
// --config. The data directory's option is --data, which is no setting's own:
// it also takes the place of DATA_DIR.
constexpr SettingRow ownRows[] = {
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
    {"fit",
     numberSetting(&Settings::fit, 1, 0),
     {"fit", 0, nullptr, "fill the window or screen, at any size (as fit=1)"},
     {"no-fit", 0, nullptr, "whole multiples of 640x400 only (as fit=0)"},
     aSwitch},
    {"screenshots",
     textSetting(&Settings::screenshots),
     {"screenshots", 0, nullptr, "save screenshots (F12) into DIR (as screenshots=)"},
     noOption,
     {"DIR", {}}},
    // load=N: the N-th newest save, 1 the newest; ten kept, and the two saves
    // of earlier versions after them.
    {"load",
     numberSetting(&Settings::load, keptSaves + 2, 0),
     {"load", 0, nullptr, "start from the N-th newest save, 1 without N (as load=N)"},
     noOption,
     {"N", {}, true}},
    fileOnly("autosave", numberSetting(&Settings::autosave, 1, 0)),
    // The key_... rows of the command table go here.
    fileOnly("joystick", numberSetting(&Settings::joystick, 1, 1)),
    // The button_... rows of the command table go here.
    // The desktop entry starts the game with it: a player who started it from a
    // menu sees why it did not start.
    {"errorwindow",
     numberSetting(&Settings::errorWindow, 1, 0),
     {"error-window", 0, nullptr, "also show a start-up error in a window (as errorwindow=1)"},
     noOption,
     aSwitch},
};

namespace {

// The command table's settings: each command's key list and button, by its row.
void addCommandRows(std::vector<SettingRow> &rows, SettingKind kind) {
    for (int i = 0; i < commandCount; i++) {
        const CommandRow &command = commandRows[i];
        const char *key = kind == keyListKind ? command.keySetting : command.buttonSetting;
        if (key != nullptr) {
            int32_t highest = kind == buttonKind ? highestButton : 0;
            int32_t byDefault = kind == buttonKind ? command.defaultButton : 0;
            rows.push_back(fileOnly(key, {kind, nullptr, nullptr, i, highest, byDefault}));
        }
    }
}

std::vector<SettingRow> allRows() {
    std::vector<SettingRow> rows;
    for (const SettingRow &row : ownRows) {
        rows.push_back(row);
        if (strcmp(row.key, "autosave") == 0) {
            addCommandRows(rows, keyListKind);
        } else if (strcmp(row.key, "joystick") == 0) {
            addCommandRows(rows, buttonKind);
        }
    }
    return rows;
}

} // namespace

// Made on first use, so that it is there whenever the record's initial values
// are read from it, however early.
const std::vector<SettingRow> &settingTable() {
    static const std::vector<SettingRow> rows = allRows();
    return rows;
}

const SettingRow *findSetting(const char *key) {
    for (const SettingRow &row : settingTable()) {
        if (strcmp(key, row.key) == 0) {
            return &row;
        }
    }
    return nullptr;
}

int32_t *numberOf(Settings &record, const SettingRow &row) {
    if (row.value.kind == buttonKind) {
        return &record.commandButtons[row.value.command];
    }
    return row.value.kind == numberKind ? &(record.*row.value.number) : nullptr;
}

char **textOf(Settings &record, const SettingRow &row) {
    return row.value.kind == textKind ? &(record.*row.value.text) : nullptr;
}

KeyList *keyListOf(Settings &record, const SettingRow &row) {
    return row.value.kind == keyListKind ? &record.commandKeys[row.value.command] : nullptr;
}

const KeyList *keyListOf(const Settings &record, const SettingRow &row) {
    return row.value.kind == keyListKind ? &record.commandKeys[row.value.command] : nullptr;
}

Settings defaultSettings() {
    Settings defaults = {};
    for (const SettingRow &row : settingTable()) {
        int32_t *number = numberOf(defaults, row);
        if (number != nullptr) {
            *number = row.value.byDefault;
        }
    }
    return defaults;
}
