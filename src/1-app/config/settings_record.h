// The settings record: what each setting holds once start-up has read the
// settings file and the command line (settings.h reads them; setting_table.h
// says which keys there are, their ranges and defaults).
#pragma once

#include <cstdint>

#include "2-play/commands.h"

// The keys a key_... setting adds to a command, as key symbols in the order
// written, each with the modifiers it was written with (shift+f5: KMOD_SHIFT; 0
// for a key written alone, which counts whatever modifiers are held); line is
// the settings file's line that gave them (0: none).
const int keyListLength = 8;
struct KeyList {
    uint16_t keys[keyListLength];
    uint16_t modifiers[keyListLength];
    int32_t count;
    int32_t line;
};

// Gamepads number their buttons from 0; few have more than 32.
const int32_t highestButton = 31;

struct Settings {
    char *directory;     // data directory, owned; nullptr when none was given
    int32_t fullscreen;  // 0 or 1
    int32_t music;       // 0 or 1
    int32_t video;       // 1: 4-colour mode; 0 and 2: 16-colour mode
    int32_t scale;       // 0-4: window size in multiples of 640x400; 0 fits the desktop
    int32_t aspect;      // 0 or 1: 1 stretches the picture to 4:3 (400 rows shown as 480)
    int32_t fit;         // 0 or 1: 1 fills the window or screen with a picture of any size
    char *screenshots;   // screenshot folder, owned; nullptr for the default folder
    int32_t load;        // 0 or 1: 1 starts from the save of the world
    int32_t autosave;    // 0 or 1: 1 saves the game when it ends
    int32_t errorWindow; // 0 or 1: 1 also shows a start-up error in a window
    // Keys added to the game's own for each command of the command table, by its
    // row (key_north ... key_load).
    KeyList commandKeys[commandCount];
    int32_t joystick; // 0 or 1: 0 ignores every gamepad
    // The gamepad button (0-31) of each command that has a button_... setting.
    int32_t commandButtons[commandCount];
};
