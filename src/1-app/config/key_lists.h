// The key_... lines of the settings file: the keys each adds to its command, and
// the warnings for keys that cannot be bound or are bound twice.
#pragma once

struct KeyList;
struct Settings;

// The keys named in value, in order, each perhaps after "shift+", "ctrl+" or
// "alt+", into list for command `command` of the command table; key is the
// setting's name for the warnings. A name SDL does not know, a key the game
// never gets (Tab, Shift alone) and one of the game's own keys where the command
// works are left out with a warning at the line.
void readKeyList(KeyList &list, int command, const char *key, const char *value);

// After the settings file: a key bound to two commands that work in the same
// place is named at the line of the later one (the first in the command table
// wins); the same for a button.
void warnAboutTwiceBoundKeys(const Settings &record, const char *path);
