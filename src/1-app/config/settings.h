// The settings in force, filled once at start-up from the settings files (the one
// named on the command line alone, else the per-user one and then "settings.ini"
// in the current directory, whose lines win for the keys they set) and then from
// the command line. Read by the whole program.
// The record: settings_record.h; which keys there are, their ranges and
// defaults: setting_table.h.
#pragma once

#include <cstdint>
#include <string>

#include "1-app/config/settings_record.h"
#include "4-data/ini_text.h"

// The settings in force: read by the whole program, changed by no one but the
// start-up code that reads the settings file and the command line.
extern const Settings &settings;

// The record those fill (and tests, which start the way start-up does).
Settings &startUpSettings();

// Where the settings were read from: the last file read, whose lines won.
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

// Sets the defaults, then applies the settings files: configFile alone when the
// command line names one (it must be readable, else a message on standard error
// and false), else the per-user one and then "settings.ini" of the current
// directory, each when it is there. A file found there that is no ordinary file
// counts as missing, with a warning. A relative directory= is taken from the
// folder of the file that says it. warn false prints nothing at all.
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

// The settings file whose line gave key its value, as it was opened
// ("settings.ini", the per-user file's full path, the --config FILE); empty when
// the command line gave it or nothing did.
std::string settingFile(const char *key);

// Releases every text setting (the directory, the screenshot folder, ...); part of
// the ordered teardown.
void freeSettingTexts();
