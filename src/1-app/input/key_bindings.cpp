#include "1-app/input/key_bindings.h"

#include "1-app/config/settings.h"
#include "1-app/input/bound_keys.h"
#include "2-play/game.h"

namespace {

const KeyList *keysOf(const CommandRow &command) {
    return command.keySetting != nullptr ? &settings.commandKeys[&command - commandRows] : nullptr;
}

const int32_t *buttonOf(const CommandRow &command) {
    return command.buttonSetting != nullptr ? &settings.commandButtons[&command - commandRows]
                                            : nullptr;
}

Meaning meaningOf(const CommandRow &command) {
    return Meaning{command.action, command.code};
}

} // namespace

Meaning meaningOfKey(const Game &game, SDLKey sym, SDLMod mod, GameKey code) {
    int context = currentContext(game);
    if (contextAnswers(context, code)) {
        return {giveGameKey, code};
    }
    // A binding written with exactly the modifiers held, then the commands' own
    // keys (save, load: whatever the modifiers), then a binding of the key alone.
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

void printKeysInForce(FILE *out) {
    fprintf(out, "\nKeys: the game's own, then those added by key_north= ... key_load= in the\n"
                 "settings file (F1 in the game lists them):\n");
    for (const CommandRow &command : commandRows) {
        const KeyList *added = keysOf(command);
        if (added == nullptr) {
            continue;
        }
        std::vector<BoundKey> keys = ownKeys(command);
        for (BoundKey key : listedKeys(*added)) {
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
        std::string names = keyNames(listedKeys(*added), ",").substr(0, nameWidth);
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
