#include "1-app/input/key_bindings.h"

#include <strings.h>

#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "1-app/input/key_names.h"
#include "1-app/input/keys.h"
#include "2-play/game.h"
#include "4-data/ini_text.h"
#include "4-data/text_warning.h"

namespace {

// The modifiers a binding is written with, as the key list keeps them.
struct ModifierName {
    const char *prefix;
    uint16_t bit;
    int sdlMask; // the modifier keys that count as it
};
const ModifierName modifierNames[] = {
    {"shift+", 1, KMOD_LSHIFT | KMOD_RSHIFT},
    {"ctrl+", 2, KMOD_LCTRL | KMOD_RCTRL},
    {"alt+", 4, KMOD_LALT | KMOD_RALT},
};

// A key with its modifiers, as a binding or a command's own key names it.
struct BoundKey {
    SDLKey sym;
    uint16_t modifiers; // 0: the key whatever the modifiers
};

uint16_t modifiersHeld(SDLMod mod) {
    uint16_t bits = 0;
    for (const ModifierName &name : modifierNames) {
        bits |= (mod & name.sdlMask) != 0 ? name.bit : 0;
    }
    return bits;
}

SDLMod sdlModifiers(uint16_t bits) {
    int mod = KMOD_NONE;
    for (const ModifierName &name : modifierNames) {
        mod |= (bits & name.bit) != 0 ? (name.sdlMask & (KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT)) : 0;
    }
    return (SDLMod)mod;
}

// "shift+f5": the key and its modifiers; SDLK_UNKNOWN when the key has no name.
BoundKey boundKeyOf(const std::string &name) {
    size_t at = 0;
    uint16_t bits = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName &modifier : modifierNames) {
            size_t length = strlen(modifier.prefix);
            if (name.size() > at + length &&
                strncasecmp(name.c_str() + at, modifier.prefix, length) == 0) {
                bits |= modifier.bit;
                at += length;
                found = true;
            }
        }
    }
    return BoundKey{keyOfName(name.c_str() + at), bits};
}

std::string boundKeyName(BoundKey key) {
    std::string name;
    for (const ModifierName &modifier : modifierNames) {
        name += (key.modifiers & modifier.bit) != 0 ? modifier.prefix : "";
    }
    const char *listed = listedKeyName(key.sym);
    return name + (listed != nullptr ? listed : "");
}

BoundKey ownKeyOf(const CommandRow &command) {
    return command.ownKey != nullptr ? boundKeyOf(command.ownKey) : BoundKey{SDLK_UNKNOWN, 0};
}

const KeyList *keysOf(const CommandRow &command) {
    return command.keySetting != nullptr ? &settings.commandKeys[&command - commandRows] : nullptr;
}

const int32_t *buttonOf(const CommandRow &command) {
    return command.buttonSetting != nullptr ? &settings.commandButtons[&command - commandRows]
                                            : nullptr;
}

// The list holds the key: with exactly these modifiers, or written alone when
// alone is true.
bool holds(const KeyList &list, SDLKey sym, uint16_t modifiers, bool alone) {
    for (int i = 0; i < list.count; i++) {
        if (list.keys[i] == sym &&
            (list.modifiers[i] == modifiers || (alone && list.modifiers[i] == 0))) {
            return true;
        }
    }
    return false;
}

const int contextBits[] = {inCommands, inDirectionPrompt, inQuestion};

// A key the game keeps for itself where the command works: one a handler there
// answers, a command's own key (the display's whatever the modifiers).
bool isOwnKey(BoundKey key, int contexts) {
    GameKey code = gameKeyFor(key.sym, sdlModifiers(key.modifiers));
    for (int context : contextBits) {
        if ((contexts & context) != 0 && contextAnswers(context, code)) {
            return true;
        }
    }
    for (const CommandRow &command : commandRows) {
        BoundKey own = ownKeyOf(command);
        bool display = command.action == displayAction || command.action == keysListAction;
        if (own.sym == key.sym && (own.modifiers == key.modifiers || display)) {
            return true;
        }
    }
    return false;
}

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

// The keys of a list as a key list writes them: "w,page up".
std::string keyNames(const std::vector<BoundKey> &keys, const char *between) {
    std::string names;
    for (BoundKey key : keys) {
        names += (names.empty() ? "" : between) + boundKeyName(key);
    }
    return names;
}

std::vector<BoundKey> addedKeys(const KeyList &list) {
    std::vector<BoundKey> keys;
    for (int i = 0; i < list.count; i++) {
        keys.push_back(BoundKey{(SDLKey)list.keys[i], list.modifiers[i]});
    }
    return keys;
}

// The game's own keys of a command, in the order of their symbols.
std::vector<BoundKey> ownKeys(const CommandRow &command) {
    std::vector<BoundKey> keys;
    if (command.action != giveGameKey) {
        BoundKey own = ownKeyOf(command);
        if (own.sym != SDLK_UNKNOWN) {
            keys.push_back(own);
        }
        return keys;
    }
    for (int sym = SDLK_FIRST + 1; sym < SDLK_LAST; sym++) {
        GameKey code = gameKeyFor((SDLKey)sym, KMOD_NONE);
        bool own = code >= 0 && (code == command.code || code == command.alsoCode);
        if (own && keyName((SDLKey)sym) != nullptr) {
            keys.push_back(BoundKey{(SDLKey)sym, 0});
        }
    }
    return keys;
}

Meaning meaningOf(const CommandRow &command) {
    return Meaning{command.action, command.code};
}

void warnAboutTwiceBoundButtons(const char *path) {
    for (int i = 0; i < commandCount; i++) {
        for (int j = i + 1; j < commandCount; j++) {
            const CommandRow &first = commandRows[i], &second = commandRows[j];
            const int32_t *firstButton = buttonOf(first), *secondButton = buttonOf(second);
            if (firstButton != nullptr && secondButton != nullptr &&
                (first.contexts & second.contexts) != 0 && *firstButton == *secondButton) {
                warnAboutFile(path, "button %d is given to both %s and %s; %s has it", *firstButton,
                              first.buttonSetting, second.buttonSetting, first.buttonSetting);
            }
        }
    }
}

} // namespace

Meaning meaningOfKey(const Game &game, SDLKey sym, SDLMod mod, GameKey code) {
    int context = currentContext(game);
    if (contextAnswers(context, code)) {
        return {giveGameKey, code};
    }
    uint16_t held = modifiersHeld(mod);
    for (const CommandRow &command : commandRows) {
        const KeyList *keys = keysOf(command);
        if ((command.contexts & context) != 0 && keys != nullptr && held != 0 &&
            holds(*keys, sym, held, false)) {
            return meaningOf(command);
        }
    }
    for (const CommandRow &command : commandRows) {
        BoundKey own = ownKeyOf(command);
        if (own.sym == sym && own.sym != SDLK_UNKNOWN && own.modifiers == 0) {
            return meaningOf(command);
        }
    }
    for (const CommandRow &command : commandRows) {
        const KeyList *keys = keysOf(command);
        if ((command.contexts & context) != 0 && keys != nullptr && holds(*keys, sym, 0, false)) {
            return meaningOf(command);
        }
    }
    return {noAction, code};
}

Meaning meaningOfButton(const Game &game, int button) {
    int context = currentContext(game);
    for (const CommandRow &command : commandRows) {
        const int32_t *own = buttonOf(command);
        if ((command.contexts & context) != 0 && own != nullptr && *own == button) {
            return meaningOf(command);
        }
    }
    return {noAction, noCode};
}

void readKeyList(const SettingRow &row, const char *value) {
    KeyList &list = *keyListOf(startUpSettings(), row);
    list = KeyList{{}, {}, 0, pairLineNumber()};
    const CommandRow &command = commandRows[row.value.command];
    std::string names = value;
    for (size_t start = 0; start <= names.size();) {
        size_t comma = names.find(',', start);
        comma = comma == std::string::npos ? names.size() : comma;
        addKey(list, command, trimmedText(names.substr(start, comma - start)), row.key);
        start = comma + 1;
    }
}

void warnAboutTwiceBoundKeys(const char *path) {
    for (int i = 0; i < commandCount; i++) {
        for (int j = i + 1; j < commandCount; j++) {
            const CommandRow &first = commandRows[i], &second = commandRows[j];
            const KeyList *earlier = keysOf(first), *later = keysOf(second);
            if (earlier == nullptr || later == nullptr || (first.contexts & second.contexts) == 0) {
                continue;
            }
            for (int k = 0; k < later->count; k++) {
                BoundKey key = {(SDLKey)later->keys[k], later->modifiers[k]};
                if (holds(*earlier, key.sym, key.modifiers, false)) {
                    warnAtLine(path, later->line, "'%s' is bound to both %s and %s; %s has it",
                               boundKeyName(key).c_str(), first.keySetting, second.keySetting,
                               first.keySetting);
                }
            }
        }
    }
    warnAboutTwiceBoundButtons(path);
}

void printKeysInForce(FILE *out) {
    fprintf(out, "\nKeys: the game's own, then those added by key_north= ... key_load= in the\n"
                 "settings file (F1 in the game lists them):\n");
    for (const CommandRow &command : commandRows) {
        const KeyList *added = keysOf(command);
        if (added == nullptr) {
            continue;
        }
        std::vector<BoundKey> keys = ownKeys(command);
        for (BoundKey key : addedKeys(*added)) {
            keys.push_back(key);
        }
        fprintf(out, "  %-12s %s\n", command.keySetting, keyNames(keys, ", ").c_str());
    }
}

std::vector<std::string> addedKeyLines(int nameWidth) {
    std::vector<std::string> lines;
    for (const CommandRow &command : commandRows) {
        const KeyList *added = keysOf(command);
        if (added == nullptr || added->count == 0) {
            continue;
        }
        std::string names = keyNames(addedKeys(*added), ",").substr(0, nameWidth);
        names.resize(nameWidth + 1, ' ');
        lines.push_back(names + command.label);
    }
    return lines;
}

std::vector<std::string> buttonLines() {
    std::vector<std::string> lines;
    for (int button = 0; button <= highestButton; button++) {
        std::string labels;
        for (const CommandRow &command : commandRows) {
            const int32_t *own = buttonOf(command);
            if (own != nullptr && *own == button) {
                labels += (labels.empty() ? "" : "/") + std::string(command.label);
            }
        }
        if (!labels.empty()) {
            char number[8];
            snprintf(number, sizeof number, "%2d ", button);
            lines.push_back(number + labels);
        }
    }
    return lines;
}
