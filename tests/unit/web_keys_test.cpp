// The browser's key events, as the web build turns them into SDL 1.2 keys, reach
// the game as the same keys do natively.
#include <gtest/gtest.h>

#include "key_names.h"
#include "1-app/input/key_codes.h"

namespace {

struct BrowserKey {
    const char *code; // KeyboardEvent.code
    const char *key;  // KeyboardEvent.key
    bool shift, ctrl, alt, numLock;
    GameKey wanted; // what the game's key translation makes of it; -1: dropped
};

GameKey gameKeyOf(const BrowserKey &k) {
    return gameKeyFor(sdlKeyFor(k.code, k.key),
                      sdlModifiersFor(k.shift, k.ctrl, k.alt, false, false, k.numLock));
}

TEST(WebKeys, DirectionsKeypadAndLettersAsNative) {
    const BrowserKey keys[] = {
        {"ArrowRight", "ArrowRight", false, false, false, false, keyEast},
        {"ArrowUp", "ArrowUp", true, false, false, false, keyNorth},
        {"BracketLeft", "[", false, false, false, false, keyNorth},
        {"Slash", "/", false, false, false, false, keySouth},
        {"Slash", "?", true, false, false, false, keySouth}, // the key, not its shifted sign
        {"Quote", "'", false, false, false, false, keyEast},
        {"Semicolon", ";", false, false, false, false, keyWest},
        // The keypad walks and passes with Num Lock on (digits) or off (arrows).
        {"Numpad8", "8", false, false, false, true, keyNorth},
        {"Numpad8", "ArrowUp", false, false, false, false, keyNorth},
        {"Numpad2", "ArrowDown", false, false, false, false, keySouth},
        {"Numpad6", "6", false, false, false, true, keyEast},
        {"Numpad4", "ArrowLeft", false, false, false, false, keyWest},
        {"Numpad5", "Clear", false, false, false, false, ' '},
        {"KeyE", "e", false, false, false, false, 'e'},
        {"KeyE", "E", true, false, false, false, 'E'},
        {"KeyX", "x", false, false, true, false, keyQuit},
        {"KeyQ", "a", false, false, false, false, 'a'},        // a French keyboard's A
        {"Semicolon", "m", false, false, false, false, 'm'},   // ... and its M
        {"KeyA", "\xd1\x84", false, false, false, false, 'a'}, // a Russian one: by place
        {"Space", " ", false, false, false, false, ' '},
        {"Enter", "Enter", false, false, false, false, 13},
        {"Escape", "Escape", false, false, false, false, 27},
        {"Backspace", "Backspace", false, false, false, false, 8},
        {"Delete", "Delete", false, false, false, false, 8},
        {"Digit1", "&", false, false, false, false, '1'},
        {"F2", "F2", false, false, false, false, SDLK_F2},
        {"Tab", "Tab", false, false, false, false, -1},
        {"ShiftLeft", "Shift", true, false, false, false, -1},
        {"AltRight", "AltGraph", false, false, true, false, -1},
        {"ControlLeft", "Control", false, true, false, false, -1},
    };
    for (const BrowserKey &k : keys) {
        EXPECT_EQ(gameKeyOf(k), k.wanted) << k.code << " " << k.key;
    }
}

TEST(WebKeys, DisplayKeysKeepTheirSdlSymbols) {
    EXPECT_EQ(sdlKeyFor("F1", "F1"), SDLK_F1);
    EXPECT_EQ(sdlKeyFor("F12", "F12"), SDLK_F12);
    EXPECT_EQ(sdlKeyFor("Enter", "Enter"), SDLK_RETURN);
    EXPECT_EQ(sdlKeyFor("NumpadEnter", "Enter"), SDLK_KP_ENTER);
    EXPECT_EQ(sdlKeyFor("NumLock", "NumLock"), SDLK_NUMLOCK);
    EXPECT_EQ(sdlModifiersFor(false, false, true, false, false, false) & KMOD_ALT, KMOD_LALT);
}

TEST(WebKeys, KeysSdlHasNoSymbolForAreUnknown) {
    EXPECT_EQ(sdlKeyFor("Lang1", "HangulMode"), SDLK_UNKNOWN);
    EXPECT_EQ(sdlKeyFor("", ""), SDLK_UNKNOWN);
    EXPECT_EQ(sdlKeyFor("KeyAB", "Unidentified"), SDLK_UNKNOWN);
    EXPECT_EQ(sdlKeyFor(nullptr, "a"), SDLK_UNKNOWN);
}

} // namespace
