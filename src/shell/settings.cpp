#include "shell/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/paths.h"

Settings settings = {nullptr, 0, 0, 1, 1, 0, nullptr};

namespace {

struct NumericSetting {
    const char *key;
    int32_t *field;
    int32_t highest; // accepted values are 0..highest; anything else reads as 0
};

const NumericSetting numericSettings[] = {
    {"fullscreen", &settings.fullscreen, 1},
    {"music", &settings.music, 1},
    {"video", &settings.video, 2},
    {"scale", &settings.scale, 4},
    {"aspect", &settings.aspect, 1},
};

// The keys whose value is kept as text.
struct TextSetting {
    const char *key;
    char **field;
};

const TextSetting textSettings[] = {
    {"directory", &settings.directory},
    {"screenshots", &settings.screenshots},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

void handleLine(char *line, PairHandler handlePair) {
    // Only the very first column marks a comment.
    if (line[0] == ';') {
        return;
    }
    char *equals = strchr(line, '=');
    if (equals == nullptr) {
        return;
    }
    int split = (int)(equals - line);
    int length = (int)strlen(line);
    char *key = trimmedCopy(line, 0, split - 1);
    char *value = trimmedCopy(line, split + 1, length - 1);
    // A pair with nothing on one side of '=' carries no setting.
    if (key != nullptr && value != nullptr && key[0] != '\0' && value[0] != '\0') {
        handlePair(key, value);
    }
    free(key);
    free(value);
}

} // namespace

char *trimmedCopy(const char *text, int first, int last) {
    while (first <= last && isBlank(text[first])) {
        first++;
    }
    while (last >= first && isBlank(text[last])) {
        last--;
    }
    int length = last >= first ? last - first + 1 : 0;
    char *copy = (char *)calloc(length + 1, 1);
    if (copy != nullptr && length > 0) {
        memcpy(copy, text + first, length);
    }
    return copy;
}

void parseIniText(char *text, PairHandler handlePair) {
    char *cursor = text;
    while (*cursor != '\0') {
        // A run of CR and LF characters is one cut, so blank lines vanish.
        while (isLineEnd(*cursor)) {
            cursor++;
        }
        if (*cursor == '\0') {
            break;
        }
        char *line = cursor;
        while (*cursor != '\0' && !isLineEnd(*cursor)) {
            cursor++;
        }
        bool atEnd = *cursor == '\0';
        *cursor = '\0';
        handleLine(line, handlePair);
        if (atEnd) {
            break;
        }
        cursor++;
    }
}

void applySetting(const char *key, const char *value) {
    for (const TextSetting &s : textSettings) {
        if (strcmp(key, s.key) == 0) {
            free(*s.field);
            *s.field = strdup(value);
            return;
        }
    }
    for (const NumericSetting &s : numericSettings) {
        if (strcmp(key, s.key) == 0) {
            int n = atoi(value);
            *s.field = (n >= 0 && n <= s.highest) ? n : 0;
            return;
        }
    }
}

void freeSettingsDirectory() {
    free(settings.directory);
    settings.directory = nullptr;
}

void freeSettingsScreenshots() {
    free(settings.screenshots);
    settings.screenshots = nullptr;
}

void loadSettings() {
    freeSettingsDirectory();
    freeSettingsScreenshots();
    settings.fullscreen = 0;
    settings.music = 0;
    settings.video = 1;
    settings.scale = 1;
    settings.aspect = 0;

    char *text = readTextFile("settings.ini");
    if (text != nullptr) {
        parseIniText(text, applySetting);
        free(text);
    }
}
