// The settings record, filled once at start-up from the settings file (the one
// named on the command line, else "settings.ini" in the current directory, else
// the per-user one) and then from the command line. Read by the whole program.
// Which keys there are, their ranges and defaults: setting_table.h.
#pragma once

#include <cstdint>

#include "2-play/commands.h"
#include "4-data/ini_text.h"

// The keys a key_... setting adds to a command, as key symbols in the order
// written, each with the modifiers it was written with (shift+f5: KMOD_SHIFT; 0
// for a key written alone, which counts whatever modifiers are held); line is
// the settings file's line that gave them (0: none).
const int keyListLength = 8;
struct KeyList {
    uint16_t keys[keyListLength];
    uint16_t modifiers[keyListLength];
    int32_t count;
    int32_t line;
};

// Gamepads number their buttons from 0; few have more than 32.
const int32_t highestButton = 31;

struct Settings {
    char *directory;     // data directory, owned; nullptr when none was given
    int32_t fullscreen;  // 0 or 1
    int32_t music;       // 0 or 1
    int32_t video;       // 1: 4-colour mode; 0 and 2: 16-colour mode
    int32_t scale;       // 0-4: window size in multiples of 640x400; 0 fits the desktop
    int32_t aspect;      // 0 or 1: 1 stretches the picture to 4:3 (400 rows shown as 480)
    char *screenshots;   // screenshot folder, owned; nullptr for the default folder
    int32_t load;        // 0 or 1: 1 starts from the save of the world
    int32_t autosave;    // 0 or 1: 1 saves the game when it ends
    int32_t errorWindow; // 0 or 1: 1 also shows a start-up error in a window
    // Keys added to the game's own for each command of the command table, by its
    // row (key_north ... key_load).
    KeyList commandKeys[commandCount];
    int32_t joystick; // 0 or 1: 0 ignores every gamepad
    // The gamepad button (0-31) of each command that has a button_... setting.
    int32_t commandButtons[commandCount];
};

// The settings in force: read by the whole program, changed by no one but the
// start-up code that reads the settings file and the command line.
extern const Settings &settings;

// The record those fill (and tests, which start the way start-up does).
Settings &startUpSettings();

// Where the settings were read from.
enum SettingsPlace {
    settingsFromNowhere,    // no file found: the defaults
    settingsFromOption,     // --config FILE
    settingsFromCurrent,    // ./settings.ini
    settingsFromUserFolder, // $XDG_CONFIG_HOME/varnok/settings.ini
};

struct SettingsOrigin {
    SettingsPlace place;
    char path[4096]; // the file as opened; empty for settingsFromNowhere
};

extern const SettingsOrigin &settingsOrigin;

// Sets the defaults, then applies the settings file: configFile when the command
// line names one (it must be readable, else a message on standard error and
// false), else "settings.ini" of the current directory or, when there is none,
// the per-user one. A file found there that is no ordinary file counts as
// missing, with a warning. warn false prints nothing at all.
bool loadSettingsFrom(const char *configFile, bool warn = true);

// The handler for the settings file, one key of the setting table. An unknown key,
// a value that is not a number or one out of range warns at its line.
void applySetting(const char *key, const char *value);

struct SettingRow;

// Gives the setting of row (setting_table.h) its value: number for a number, a
// copy of text for a text, whose old value it releases; a key list is left as it is.
void setSetting(const SettingRow &row, int32_t number, const char *text);

// True when the settings file or the command line gave the setting of key, even
// a value read as 0; false for one left at its default (start-up then chooses
// what it can, such as the colour mode of the files that are there).
bool settingGiven(const char *key);

// Releases every text setting (the directory, the screenshot folder, ...); part of
// the ordered teardown.
void freeSettingTexts();
