// The settings record, filled once from "settings.ini" in the current directory,
// and the key=value reader that "music.ini" shares. Read by the whole program.
#pragma once

#include <cstdint>

struct Settings {
    char *directory;    // data directory, owned; nullptr when none was given
    int32_t fullscreen; // 0 or 1
    int32_t music;      // 0 or 1
    int32_t video;      // 1: 4-colour mode; 0 and 2: 16-colour mode
    int32_t scale;      // 0-4: window size in multiples of 640x400; 0 fits the desktop
    int32_t aspect;     // 0 or 1: 1 stretches the picture to 4:3 (400 rows shown as 480)
    char *screenshots;  // screenshot folder, owned; nullptr for the default folder
};

extern Settings settings;

typedef void (*PairHandler)(const char *key, const char *value);

// Sets the defaults, then applies "settings.ini" if it can be read.
void loadSettings();

// Cuts a writable NUL-terminated text into key=value lines and calls handlePair
// once per pair in text order. The copies passed in are freed afterwards.
void parseIniText(char *text, PairHandler handlePair);

// New malloc'ed text: characters first..last of text, blanks (space, tab) trimmed.
char *trimmedCopy(const char *text, int first, int last);

// The handler for "settings.ini": directory, fullscreen, music, video, scale, aspect,
// screenshots.
void applySetting(const char *key, const char *value);

// Releases the directory text; part of the ordered teardown.
void freeSettingsDirectory();

// Releases the screenshot folder text; part of the ordered teardown.
void freeSettingsScreenshots();
