#include "1-app/input/key_codes.h"

namespace {

const int shiftMask = KMOD_LSHIFT | KMOD_RSHIFT; // 0x0003
const int ctrlMask = KMOD_LCTRL | KMOD_RCTRL;    // 0x00C0
const int altMask = KMOD_LALT | KMOD_RALT;       // 0x0300

struct KeyMapping {
    int sym;
    GameKey code;
};

// Keys with a code of their own; they skip the filter.
const KeyMapping fixedKeys[] = {
    {SDLK_UP, keyNorth},
    {SDLK_DOWN, keySouth},
    {SDLK_RIGHT, keyEast},
    {SDLK_LEFT, keyWest},
    {SDLK_BACKSPACE, 8},
    {SDLK_DELETE, 8},
    // The keypad walks and passes, Num Lock on or off, on any keyboard layout.
    {SDLK_KP8, keyNorth},
    {SDLK_KP2, keySouth},
    {SDLK_KP6, keyEast},
    {SDLK_KP4, keyWest},
    {SDLK_KP5, ' '},
};

GameKey letterCode(int sym, int mod) {
    // Only the first matching modifier counts: Shift, then Ctrl, then Alt.
    if (mod & shiftMask) {
        return sym - 32;
    }
    if (mod & ctrlMask) {
        return sym - 96;
    }
    if (mod & altMask) {
        return sym + 128;
    }
    return sym;
}

bool isDropped(GameKey code) {
    return code == SDLK_TAB || (code >= SDLK_RSHIFT && code <= SDLK_LALT);
}

} // namespace

GameKey gameKeyFor(SDLKey sym, SDLMod mod) {
    if (sym >= SDLK_a && sym <= SDLK_z) {
        GameKey code = letterCode(sym, mod);
        return isDropped(code) ? -1 : code;
    }
    for (const KeyMapping &k : fixedKeys) {
        if (k.sym == sym) {
            return k.code;
        }
    }
    return isDropped(sym) ? -1 : (GameKey)sym;
}
