// The key_... lines of the settings file: the keys each adds to its command, and
// the warnings for keys that cannot be bound or are bound twice.
#pragma once

#include <string>

struct KeyList;
struct Settings;

// The keys named in value, in order, each perhaps after "shift+", "ctrl+" or
// "alt+", into list for command `command` of the command table; key is the
// setting's name for the warnings. A name SDL does not know, a key the game
// never gets (Tab, Shift alone) and one of the game's own keys where the command
// works are left out with a warning at the line.
void readKeyList(KeyList &list, int command, const char *key, const char *value);

// The settings file that gave a setting, by its key; empty for none.
typedef std::string (*SettingFileOf)(const char *key);

// After the settings files: a key bound to two commands that work in the same
// place is named at the line of the later one, in the file that gave it (the
// first in the command table wins); the same for a button, in the file that
// gave the later one, else the other.
void warnAboutTwiceBoundKeys(const Settings &record, SettingFileOf fileOf);
