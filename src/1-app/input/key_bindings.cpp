#include "1-app/input/key_bindings.h"

#include "1-app/display/display_keys.h"
#include "1-app/input/key_names.h"
#include "1-app/input/keys.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "2-play/commands.h"
#include "2-play/game.h"
#include "2-play/input_stack.h"
#include "2-play/prompts.h"
#include "4-data/ini_text.h"
#include "4-data/text_warning.h"

namespace {

const int moving = inCommands | inDirectionPrompt;
const int everywhere = inCommands | inDirectionPrompt | inQuestion;
const GameKey noCode = -1;

struct Command {
    KeyList Settings::*keys;   // nullptr: no keys are added to it
    int32_t Settings::*button; // nullptr: no button gives it
    PlayerAction action;
    GameKey code;     // giveGameKey: the command's game key
    GameKey alsoCode; // another game key that does the same (Esc answers No); noCode
    SDLKey ownKey;    // save and load: their own key, whatever the context
    int contexts;     // where it works
    const char *label;
};

// In order of precedence: a key or button given to two commands that work in
// the same place does the first.
const Command commands[] = {
    {&Settings::keyNorth, nullptr, giveGameKey, keyNorth, noCode, SDLK_UNKNOWN, moving, "North"},
    {&Settings::keySouth, nullptr, giveGameKey, keySouth, noCode, SDLK_UNKNOWN, moving, "South"},
    {&Settings::keyEast, nullptr, giveGameKey, keyEast, noCode, SDLK_UNKNOWN, moving, "East"},
    {&Settings::keyWest, nullptr, giveGameKey, keyWest, noCode, SDLK_UNKNOWN, moving, "West"},
    {&Settings::keyPass, &Settings::buttonPass, giveGameKey, keyPass, noCode, SDLK_UNKNOWN, moving,
     "Pass"},
    {&Settings::keyEnter, &Settings::buttonEnter, giveGameKey, keyEnter, noCode, SDLK_UNKNOWN,
     inCommands, "Enter"},
    {&Settings::keyKlimb, &Settings::buttonKlimb, giveGameKey, keyKlimb, noCode, SDLK_UNKNOWN,
     inCommands, "Klimb"},
    {&Settings::keyLook, &Settings::buttonLook, giveGameKey, keyLook, noCode, SDLK_UNKNOWN,
     inCommands, "Look"},
    {&Settings::keyYes, &Settings::buttonYes, giveGameKey, keyYes, noCode, SDLK_UNKNOWN, inQuestion,
     "Yes"},
    {&Settings::keyNo, &Settings::buttonNo, giveGameKey, keyNo, keyEscape, SDLK_UNKNOWN, inQuestion,
     "No"},
    {&Settings::keySave, &Settings::buttonSave, saveAction, noCode, noCode, SDLK_F5, everywhere,
     "Save"},
    {&Settings::keyLoad, &Settings::buttonLoad, loadAction, noCode, noCode, SDLK_F9, everywhere,
     "Load"},
    {nullptr, &Settings::buttonKeys, keysListAction, noCode, noCode, SDLK_UNKNOWN, everywhere,
     "Keys"},
    {nullptr, &Settings::buttonQuit, quitAction, noCode, noCode, SDLK_UNKNOWN, everywhere, "Quit"},
};
const int commandCount = sizeof commands / sizeof commands[0];
const int contextBits[] = {inCommands, inDirectionPrompt, inQuestion};

bool holds(const KeyList &list, SDLKey sym) {
    for (int i = 0; i < list.count; i++) {
        if (list.keys[i] == sym) {
            return true;
        }
    }
    return false;
}

const Command *commandOfKeys(KeyList Settings::*keys) {
    for (const Command &command : commands) {
        if (command.keys == keys) {
            return &command;
        }
    }
    return nullptr;
}

// The settings file's key of a command's key list or button ("key_north").
const char *settingKey(const Command &command, bool button) {
    for (int i = 0; i < settingCount; i++) {
        const SettingValue &value = settingRows[i].value;
        if (button ? value.number == command.button : value.keys == command.keys) {
            return settingRows[i].key;
        }
    }
    return "";
}

// A key the game keeps for itself where the command works: one a handler there
// answers, the display's keys and the own keys of save and load.
bool isOwnKey(SDLKey sym, int contexts) {
    GameKey code = gameKeyFor(sym, KMOD_NONE);
    for (int context : contextBits) {
        if ((contexts & context) != 0 && contextAnswers(context, code)) {
            return true;
        }
    }
    for (const Command &command : commands) {
        if (command.ownKey == sym) {
            return true;
        }
    }
    return sym == screenshotKey || sym == keysListKey;
}

void addKey(KeyList &list, const Command &command, const std::string &name, const char *key) {
    SDLKey sym = keyOfName(name.c_str());
    if (name.empty()) {
        warnAtPair("an empty key name in %s", key);
    } else if (sym == SDLK_UNKNOWN) {
        warnAtPair("unknown key '%s' in %s", name.c_str(), key);
    } else if (gameKeyFor(sym, KMOD_NONE) < 0) {
        warnAtPair("'%s' never reaches the game; %s leaves it out", name.c_str(), key);
    } else if (isOwnKey(sym, command.contexts)) {
        warnAtPair("'%s' is one of the game's own keys and stays so; %s leaves it out",
                   name.c_str(), key);
    } else if (holds(list, sym)) {
        return;
    } else if (list.count == keyListLength) {
        warnAtPair("%s takes at most %d keys; '%s' is left out", key, keyListLength, name.c_str());
    } else {
        list.keys[list.count++] = (uint16_t)sym;
    }
}

// The keys of a list as a key list writes them: "w,page up".
std::string keyNames(const std::vector<SDLKey> &keys, const char *between) {
    std::string names;
    for (SDLKey sym : keys) {
        names += (names.empty() ? "" : between) + std::string(listedKeyName(sym));
    }
    return names;
}

std::vector<SDLKey> addedKeys(const Command &command) {
    const KeyList &list = settings.*command.keys;
    std::vector<SDLKey> keys;
    for (int i = 0; i < list.count; i++) {
        keys.push_back((SDLKey)list.keys[i]);
    }
    return keys;
}

// The game's own keys of a command, in the order of their symbols.
std::vector<SDLKey> ownKeys(const Command &command) {
    std::vector<SDLKey> keys;
    for (int sym = SDLK_FIRST + 1; sym < SDLK_LAST; sym++) {
        GameKey code = gameKeyFor((SDLKey)sym, KMOD_NONE);
        bool own = command.action == giveGameKey
                       ? code >= 0 && (code == command.code || code == command.alsoCode)
                       : sym == command.ownKey;
        if (own && keyName((SDLKey)sym) != nullptr) {
            keys.push_back((SDLKey)sym);
        }
    }
    return keys;
}

void warnAboutTwiceBoundButtons(const char *path) {
    for (int i = 0; i < commandCount; i++) {
        for (int j = i + 1; j < commandCount; j++) {
            const Command &first = commands[i], &second = commands[j];
            if (first.button != nullptr && second.button != nullptr &&
                (first.contexts & second.contexts) != 0 &&
                settings.*first.button == settings.*second.button) {
                warnAboutFile(path, "button %d is given to both %s and %s; %s has it",
                              settings.*first.button, settingKey(first, true),
                              settingKey(second, true), settingKey(first, true));
            }
        }
    }
}

} // namespace

int currentContext(const Game &game) {
    InputHandlerFn top = topHandler(game.inputStack);
    if (top == yesNoPrompt) {
        return inQuestion;
    }
    return top == directionPrompt ? inDirectionPrompt : inCommands;
}

bool contextAnswers(int context, GameKey code) {
    switch (context) {
    case inQuestion:
        return isYesAnswer(code) || isNoAnswer(code);
    case inDirectionPrompt:
        return answersDirectionPrompt(code);
    default:
        return isCommandKey(code);
    }
}

Meaning meaningOfKey(const Game &game, SDLKey sym, GameKey code) {
    int context = currentContext(game);
    if (contextAnswers(context, code)) {
        return {giveGameKey, code};
    }
    for (const Command &command : commands) {
        if (command.ownKey == sym) {
            return {command.action, command.code};
        }
    }
    for (const Command &command : commands) {
        if ((command.contexts & context) != 0 && command.keys != nullptr &&
            holds(settings.*command.keys, sym)) {
            return {command.action, command.code};
        }
    }
    return {noAction, code};
}

Meaning meaningOfButton(const Game &game, int button) {
    int context = currentContext(game);
    for (const Command &command : commands) {
        if ((command.contexts & context) != 0 && command.button != nullptr &&
            settings.*command.button == button) {
            return {command.action, command.code};
        }
    }
    return {noAction, noCode};
}

void readKeyList(const SettingRow &row, const char *value) {
    KeyList &list = settings.*row.value.keys;
    list = KeyList{{}, 0, pairLineNumber()};
    const Command *command = commandOfKeys(row.value.keys);
    std::string names = value;
    for (size_t start = 0; start <= names.size() && command != nullptr;) {
        size_t comma = names.find(',', start);
        comma = comma == std::string::npos ? names.size() : comma;
        addKey(list, *command, trimmedText(names.substr(start, comma - start)), row.key);
        start = comma + 1;
    }
}

void warnAboutTwiceBoundKeys(const char *path) {
    for (int i = 0; i < commandCount; i++) {
        for (int j = i + 1; j < commandCount; j++) {
            const Command &first = commands[i], &second = commands[j];
            if (first.keys == nullptr || second.keys == nullptr ||
                (first.contexts & second.contexts) == 0) {
                continue;
            }
            const KeyList &later = settings.*second.keys;
            for (int k = 0; k < later.count; k++) {
                if (holds(settings.*first.keys, (SDLKey)later.keys[k])) {
                    warnAtLine(path, later.line, "'%s' is bound to both %s and %s; %s has it",
                               listedKeyName((SDLKey)later.keys[k]), settingKey(first, false),
                               settingKey(second, false), settingKey(first, false));
                }
            }
        }
    }
    warnAboutTwiceBoundButtons(path);
}

void printKeysInForce(FILE *out) {
    fprintf(out, "\nKeys: the game's own, then those added by key_north= ... key_load= in the\n"
                 "settings file (F1 in the game lists them):\n");
    for (const Command &command : commands) {
        if (command.keys == nullptr) {
            continue;
        }
        std::vector<SDLKey> keys = ownKeys(command);
        for (SDLKey sym : addedKeys(command)) {
            keys.push_back(sym);
        }
        fprintf(out, "  %-12s %s\n", settingKey(command, false), keyNames(keys, ", ").c_str());
    }
}

std::vector<std::string> addedKeyLines(int nameWidth) {
    std::vector<std::string> lines;
    for (const Command &command : commands) {
        if (command.keys == nullptr || (settings.*command.keys).count == 0) {
            continue;
        }
        std::string names = keyNames(addedKeys(command), ",").substr(0, nameWidth);
        names.resize(nameWidth + 1, ' ');
        lines.push_back(names + command.label);
    }
    return lines;
}

std::vector<std::string> buttonLines() {
    std::vector<std::string> lines;
    for (int button = 0; button <= highestButton; button++) {
        std::string labels;
        for (const Command &command : commands) {
            if (command.button != nullptr && settings.*command.button == button) {
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
