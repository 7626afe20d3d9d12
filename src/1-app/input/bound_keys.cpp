#include "1-app/input/bound_keys.h"

#include <cstring>
#include <strings.h>

#include "1-app/config/settings_record.h"
#include "1-app/input/key_codes.h"
#include "1-app/input/key_names.h"

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

const int contextBits[] = {inCommands, inDirectionPrompt, inQuestion};

} // namespace

uint16_t modifiersHeld(SDLMod mod) {
    uint16_t bits = 0;
    for (const ModifierName &name : modifierNames) {
        bits |= (mod & name.sdlMask) != 0 ? name.bit : 0;
    }
    return bits;
}

SDLMod sdlModifiers(uint16_t modifiers) {
    int mod = KMOD_NONE;
    for (const ModifierName &name : modifierNames) {
        // The left-hand key stands for either.
        mod |= (modifiers & name.bit) != 0 ? (name.sdlMask & (KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT))
                                           : 0;
    }
    return (SDLMod)mod;
}

BoundKey boundKeyOf(const std::string &name) {
    size_t at = 0;
    uint16_t bits = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName &modifier : modifierNames) {
            size_t length = strlen(modifier.prefix);
            // A name that is all prefix ("shift+") names no key.
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

std::string keyNames(const std::vector<BoundKey> &keys, const char *between) {
    std::string names;
    for (BoundKey key : keys) {
        names += (names.empty() ? "" : between) + boundKeyName(key);
    }
    return names;
}

bool holds(const KeyList &list, SDLKey sym, uint16_t modifiers, bool alone) {
    for (int i = 0; i < list.count; i++) {
        if (list.keys[i] == sym &&
            (list.modifiers[i] == modifiers || (alone && list.modifiers[i] == 0))) {
            return true;
        }
    }
    return false;
}

std::vector<BoundKey> listedKeys(const KeyList &list) {
    std::vector<BoundKey> keys;
    for (int i = 0; i < list.count; i++) {
        keys.push_back(BoundKey{(SDLKey)list.keys[i], list.modifiers[i]});
    }
    return keys;
}

BoundKey ownKeyOf(const CommandRow &command) {
    return command.ownKey != nullptr ? boundKeyOf(command.ownKey) : BoundKey{SDLK_UNKNOWN, 0};
}

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
