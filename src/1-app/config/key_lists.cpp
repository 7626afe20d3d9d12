#include "1-app/config/key_lists.h"

#include <string>

#include "1-app/config/settings_record.h"
#include "1-app/input/bound_keys.h"
#include "1-app/input/key_codes.h"
#include "2-play/commands.h"
#include "4-data/ini_text.h"
#include "4-data/text_warning.h"

namespace {

void addKey(KeyList &list, const CommandRow &command, const std::string &name, const char *key) {
    BoundKey bound = boundKeyOf(name);
    if (name.empty()) {
        warnAtPair("an empty key name in %s", key);
    } else if (bound.sym == SDLK_UNKNOWN) {
        warnAtPair("unknown key '%s' in %s", name.c_str(), key);
    } else if (gameKeyFor(bound.sym, sdlModifiers(bound.modifiers)) < 0) {
        warnAtPair("'%s' never reaches the game; %s leaves it out", name.c_str(), key);
    } else if (isOwnKey(bound, command.contexts)) {
        warnAtPair("'%s' is one of the game's own keys and stays so; %s leaves it out",
                   name.c_str(), key);
    } else if (holds(list, bound.sym, bound.modifiers, false)) {
        return;
    } else if (list.count == keyListLength) {
        warnAtPair("%s takes at most %d keys; '%s' is left out", key, keyListLength, name.c_str());
    } else {
        list.keys[list.count] = (uint16_t)bound.sym;
        list.modifiers[list.count++] = bound.modifiers;
    }
}

void warnAboutTwiceBoundButtons(const Settings &record, SettingFileOf fileOf) {
    for (int i = 0; i < commandCount; i++) {
        for (int j = i + 1; j < commandCount; j++) {
            const CommandRow &first = commandRows[i], &second = commandRows[j];
            if (first.buttonSetting != nullptr && second.buttonSetting != nullptr &&
                (first.contexts & second.contexts) != 0 &&
                record.commandButtons[i] == record.commandButtons[j]) {
                // The defaults never meet, so one of the two was given.
                std::string path = fileOf(second.buttonSetting);
                if (path.empty()) {
                    path = fileOf(first.buttonSetting);
                }
                warnAboutFile(path.c_str(), "button %d is given to both %s and %s; %s has it",
                              record.commandButtons[i], first.buttonSetting, second.buttonSetting,
                              first.buttonSetting);
            }
        }
    }
}

} // namespace

void readKeyList(KeyList &list, int command, const char *key, const char *value) {
    list = KeyList{{}, {}, 0, pairLineNumber()};
    std::string names = value;
    for (size_t start = 0; start <= names.size();) {
        size_t comma = names.find(',', start);
        comma = comma == std::string::npos ? names.size() : comma;
        addKey(list, commandRows[command], trimmedText(names.substr(start, comma - start)), key);
        start = comma + 1;
    }
}

void warnAboutTwiceBoundKeys(const Settings &record, SettingFileOf fileOf) {
    for (int i = 0; i < commandCount; i++) {
        for (int j = i + 1; j < commandCount; j++) {
            const CommandRow &first = commandRows[i], &second = commandRows[j];
            if (first.keySetting == nullptr || second.keySetting == nullptr ||
                (first.contexts & second.contexts) == 0) {
                continue;
            }
            const KeyList &later = record.commandKeys[j];
            for (BoundKey key : listedKeys(later)) {
                if (holds(record.commandKeys[i], key.sym, key.modifiers, false)) {
                    warnAtLine(fileOf(second.keySetting).c_str(), later.line,
                               "'%s' is bound to both %s and %s; %s has it",
                               boundKeyName(key).c_str(), first.keySetting, second.keySetting,
                               first.keySetting);
                }
            }
        }
    }
    warnAboutTwiceBoundButtons(record, fileOf);
}
