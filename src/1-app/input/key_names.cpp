#include "1-app/input/key_names.h"

#include <cstdio>
#include <strings.h>

namespace {

struct NamedKey {
    SDLKey sym;
    const char *name;
};

// The keys whose name is not their own character; the printable ones of the
// keyboard's first 128 symbols are named by that character (below).
const NamedKey namedKeys[] = {
    {SDLK_BACKSPACE, "backspace"},
    {SDLK_TAB, "tab"},
    {SDLK_CLEAR, "clear"},
    {SDLK_RETURN, "return"},
    {SDLK_PAUSE, "pause"},
    {SDLK_ESCAPE, "escape"},
    {SDLK_SPACE, "space"},
    {SDLK_DELETE, "delete"},
    {SDLK_KP_PERIOD, "[.]"},
    {SDLK_KP_DIVIDE, "[/]"},
    {SDLK_KP_MULTIPLY, "[*]"},
    {SDLK_KP_MINUS, "[-]"},
    {SDLK_KP_PLUS, "[+]"},
    {SDLK_KP_ENTER, "enter"},
    {SDLK_KP_EQUALS, "equals"},
    {SDLK_UP, "up"},
    {SDLK_DOWN, "down"},
    {SDLK_RIGHT, "right"},
    {SDLK_LEFT, "left"},
    {SDLK_INSERT, "insert"},
    {SDLK_HOME, "home"},
    {SDLK_END, "end"},
    {SDLK_PAGEUP, "page up"},
    {SDLK_PAGEDOWN, "page down"},
    {SDLK_NUMLOCK, "numlock"},
    {SDLK_CAPSLOCK, "caps lock"},
    {SDLK_SCROLLOCK, "scroll lock"},
    {SDLK_RSHIFT, "right shift"},
    {SDLK_LSHIFT, "left shift"},
    {SDLK_RCTRL, "right ctrl"},
    {SDLK_LCTRL, "left ctrl"},
    {SDLK_RALT, "right alt"},
    {SDLK_LALT, "left alt"},
    {SDLK_RMETA, "right meta"},
    {SDLK_LMETA, "left meta"},
    {SDLK_LSUPER, "left super"},
    {SDLK_RSUPER, "right super"},
    {SDLK_MODE, "alt gr"},
    {SDLK_COMPOSE, "compose"},
    {SDLK_HELP, "help"},
    {SDLK_PRINT, "print screen"},
    {SDLK_SYSREQ, "sys req"},
    {SDLK_BREAK, "break"},
    {SDLK_MENU, "menu"},
    {SDLK_POWER, "power"},
    {SDLK_EURO, "euro"},
    {SDLK_UNDO, "undo"},
};

// The printable characters that are key symbols of their own.
const char ownCharacters[] = "!\"#$&'()*+,-./0123456789:;<=>?@[\\]^_`abcdefghijklmnopqrstuvwxyz";

// Runs of keys named by a word and their number from 0: "world 0" ... "world 95",
// "[0]" ... "[9]", "f1" ... "f15" (numbered from 1).
struct NumberedKeys {
    SDLKey first;
    SDLKey last;
    const char *format;
    int firstNumber;
};

const NumberedKeys numberedKeys[] = {
    {SDLK_WORLD_0, SDLK_WORLD_95, "world %d", 0},
    {SDLK_KP0, SDLK_KP9, "[%d]", 0},
    {SDLK_F1, SDLK_F15, "f%d", 1},
};

// Every name, by symbol; nullptr where SDL has none. Filled at the first look-up.
char names[SDLK_LAST][16];
bool named = false;

void nameEveryKey() {
    for (const char *c = ownCharacters; *c != '\0'; c++) {
        names[(unsigned char)*c][0] = *c;
    }
    for (const NamedKey &key : namedKeys) {
        snprintf(names[key.sym], sizeof names[key.sym], "%s", key.name);
    }
    for (const NumberedKeys &run : numberedKeys) {
        for (int sym = run.first; sym <= run.last; sym++) {
            snprintf(names[sym], sizeof names[sym], run.format, sym - run.first + run.firstNumber);
        }
    }
    named = true;
}

} // namespace

const char *keyName(SDLKey sym) {
    if (!named) {
        nameEveryKey();
    }
    return sym > SDLK_UNKNOWN && sym < SDLK_LAST && names[sym][0] != '\0' ? names[sym] : nullptr;
}

const char *listedKeyName(SDLKey sym) {
    return sym == SDLK_COMMA ? "comma" : keyName(sym);
}

SDLKey keyOfName(const char *name) {
    if (strcasecmp(name, "comma") == 0) {
        return SDLK_COMMA;
    }
    for (int sym = SDLK_FIRST + 1; sym < SDLK_LAST; sym++) {
        const char *known = keyName((SDLKey)sym);
        if (known != nullptr && strcasecmp(known, name) == 0) {
            return (SDLKey)sym;
        }
    }
    return SDLK_UNKNOWN;
}
