// The settings as one table, a row per setting: its key in the settings file,
// where its value lives in the Settings record, its range and default, and the
// command-line options that give it with their --help lines. The settings file,
// the command line and --help are read from it, so adding a setting is one row
// here, its field in Settings and its use. The key_... and button_... rows are
// made from the command table (2-play/commands.h).
#pragma once

#include <cstdint>
#include <vector>

#include "1-app/config/settings_record.h"

// Where a setting's value lives and what it may be, one of three kinds: a number
// 0..highest (out of range reads as 0); a text, such as a path, kept as written;
// or a list of key names separated by commas (key_bindings.h reads it). A
// command's key list and button live in the record by the command's row.
struct SettingRow;

enum SettingKind { numberKind, textKind, keyListKind, buttonKind };

struct SettingValue {
    SettingKind kind;
    int32_t Settings::*number; // numberKind: the field
    char *Settings::*text;     // textKind: the field, an owned copy
    int command;               // keyListKind, buttonKind: the row of the command table
    int32_t highest;
    int32_t byDefault; // a text's default is none (nullptr), a key list's no key
};

constexpr SettingValue numberSetting(int32_t Settings::*field, int32_t highest, int32_t byDefault) {
    return {numberKind, field, nullptr, -1, highest, byDefault};
}

constexpr SettingValue textSetting(char *Settings::*field) {
    return {textKind, nullptr, field, -1, 0, 0};
}

// The value of a setting of the record: a number (a button's too), a text, a key
// list; nullptr when the setting is of another kind.
int32_t *numberOf(Settings &record, const SettingRow &row);
char **textOf(Settings &record, const SettingRow &row);
KeyList *keyListOf(Settings &record, const SettingRow &row);
const KeyList *keyListOf(const Settings &record, const SettingRow &row);

// One command-line option: --longName, -shortName, and its line in --help.
struct SettingOption {
    const char *longName; // nullptr: no such option
    char shortName;       // 0: the long form only
    const char *alias;    // another long name, left out of --help; nullptr: none
    const char *help;
};

constexpr SettingOption noOption = {nullptr, 0, nullptr, nullptr};

// A word an option takes in place of a number: --colours 16 gives video=0.
struct OptionWord {
    const char *word; // nullptr ends the list
    int32_t number;
};

const int optionWordCount = 4;

// What the option takes after it. Without a value name it is a switch: the
// option gives 1 and its negated form 0. With one it takes a value: a text as
// it stands, else one of the words, else the number itself in 0..highest.
struct OptionValue {
    const char *name; // "N", "DIR", "4|16" in --help; nullptr: a switch
    OptionWord words[optionWordCount];
    // The value may be left out: the option alone gives 1, and the argument
    // after it is its value only when written in plain digits ("--load",
    // "--load 2", "--load=2"; --help shows "[N]").
    bool optional = false;
};

constexpr OptionValue aSwitch = {nullptr, {}};

struct SettingRow {
    const char *key;
    SettingValue value;
    SettingOption option;  // --music, --colours
    SettingOption negated; // --no-music, --window: gives 0; noOption: none
    OptionValue takes;
};

// Every setting: the table's own rows with the command table's key_... rows
// after autosave and its button_... rows after joystick.
const std::vector<SettingRow> &settingTable();

// The row of the settings file's key (case-sensitive), or nullptr.
const SettingRow *findSetting(const char *key);

// Every number at its default, every text none.
Settings defaultSettings();
