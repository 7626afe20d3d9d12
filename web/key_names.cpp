#include "key_names.h"

#include <cstring>

namespace {

struct KeyName {
    const char *code;
    SDLKey sym;
};

// Every key by its place; letters and digits are worked out from the name.
const KeyName namedKeys[] = {
    {"Backspace", SDLK_BACKSPACE}, {"Tab", SDLK_TAB}, {"Enter", SDLK_RETURN},
    {"Pause", SDLK_PAUSE}, {"Escape", SDLK_ESCAPE}, {"Space", SDLK_SPACE},
    {"Quote", SDLK_QUOTE}, {"Comma", SDLK_COMMA}, {"Minus", SDLK_MINUS},
    {"Period", SDLK_PERIOD}, {"Slash", SDLK_SLASH}, {"Semicolon", SDLK_SEMICOLON},
    {"Equal", SDLK_EQUALS}, {"BracketLeft", SDLK_LEFTBRACKET}, {"Backslash", SDLK_BACKSLASH},
    {"BracketRight", SDLK_RIGHTBRACKET}, {"Backquote", SDLK_BACKQUOTE},
    {"IntlBackslash", SDLK_LESS}, {"Delete", SDLK_DELETE},
    {"Numpad0", SDLK_KP0}, {"Numpad1", SDLK_KP1}, {"Numpad2", SDLK_KP2},
    {"Numpad3", SDLK_KP3}, {"Numpad4", SDLK_KP4}, {"Numpad5", SDLK_KP5},
    {"Numpad6", SDLK_KP6}, {"Numpad7", SDLK_KP7}, {"Numpad8", SDLK_KP8},
    {"Numpad9", SDLK_KP9}, {"NumpadDecimal", SDLK_KP_PERIOD}, {"NumpadDivide", SDLK_KP_DIVIDE},
    {"NumpadMultiply", SDLK_KP_MULTIPLY}, {"NumpadSubtract", SDLK_KP_MINUS},
    {"NumpadAdd", SDLK_KP_PLUS}, {"NumpadEnter", SDLK_KP_ENTER}, {"NumpadEqual", SDLK_KP_EQUALS},
    {"ArrowUp", SDLK_UP}, {"ArrowDown", SDLK_DOWN}, {"ArrowRight", SDLK_RIGHT},
    {"ArrowLeft", SDLK_LEFT}, {"Insert", SDLK_INSERT}, {"Home", SDLK_HOME}, {"End", SDLK_END},
    {"PageUp", SDLK_PAGEUP}, {"PageDown", SDLK_PAGEDOWN},
    {"F1", SDLK_F1}, {"F2", SDLK_F2}, {"F3", SDLK_F3}, {"F4", SDLK_F4}, {"F5", SDLK_F5},
    {"F6", SDLK_F6}, {"F7", SDLK_F7}, {"F8", SDLK_F8}, {"F9", SDLK_F9}, {"F10", SDLK_F10},
    {"F11", SDLK_F11}, {"F12", SDLK_F12}, {"F13", SDLK_F13}, {"F14", SDLK_F14},
    {"F15", SDLK_F15}, {"NumLock", SDLK_NUMLOCK}, {"CapsLock", SDLK_CAPSLOCK},
    {"ScrollLock", SDLK_SCROLLOCK}, {"ShiftRight", SDLK_RSHIFT}, {"ShiftLeft", SDLK_LSHIFT},
    {"ControlRight", SDLK_RCTRL}, {"ControlLeft", SDLK_LCTRL}, {"AltRight", SDLK_RALT},
    {"AltLeft", SDLK_LALT}, {"MetaLeft", SDLK_LSUPER}, {"MetaRight", SDLK_RSUPER},
    {"ContextMenu", SDLK_MENU}, {"PrintScreen", SDLK_PRINT}, {"Help", SDLK_HELP},
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

// "KeyA" ... "KeyZ" and "Digit0" ... "Digit9"; 0 for any other name.
char placedCharacter(const char *code) {
    if (strncmp(code, "Key", 3) == 0 && isLetter(code[3]) && code[4] == '\0') {
        return lowerCase(code[3]);
    }
    if (strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0') {
        return code[5];
    }
    return 0;
}

} // namespace

SDLKey sdlKeyFor(const char *code, const char *key) {
    if (code == nullptr || key == nullptr) {
        return SDLK_UNKNOWN;
    }
    if (isLetter(key[0]) && key[1] == '\0') {
        return (SDLKey)lowerCase(key[0]);
    }
    char placed = placedCharacter(code);
    if (placed != 0) {
        return (SDLKey)placed;
    }
    for (const KeyName &k : namedKeys) {
        if (strcmp(k.code, code) == 0) {
            return k.sym;
        }
    }
    return SDLK_UNKNOWN;
}

SDLMod sdlModifiersFor(bool shift, bool ctrl, bool alt, bool meta, bool capsLock, bool numLock) {
    int mod = KMOD_NONE;
    // The browser does not tell left from right; the engine takes either.
    mod |= shift ? KMOD_LSHIFT : 0;
    mod |= ctrl ? KMOD_LCTRL : 0;
    mod |= alt ? KMOD_LALT : 0;
    mod |= meta ? KMOD_LMETA : 0;
    mod |= capsLock ? KMOD_CAPS : 0;
    mod |= numLock ? KMOD_NUM : 0;
    return (SDLMod)mod;
}
