#include "1-app/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "1-app/user_folders.h"
#include "4-data/text_warning.h"

Settings settings = {nullptr, 0, 0, 1, 1, 0, nullptr};
SettingsOrigin settingsOrigin = {settingsFromNowhere, ""};

namespace {

struct NumericSetting {
    const char *key;
    int32_t *field;
    int32_t highest; // accepted values are 0..highest; anything else reads as 0
};

const NumericSetting numericSettings[] = {
    {"fullscreen", &settings.fullscreen, 1}, {"music", &settings.music, 1},
    {"video", &settings.video, 2},           {"scale", &settings.scale, 4},
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

// A whole decimal number as atoi reads one: blanks, a sign, digits, nothing else.
bool isWholeNumber(const char *value) {
    const char *at = value + strspn(value, " \t\n\v\f\r");
    if (*at == '+' || *at == '-') {
        at++;
    }
    size_t digits = strspn(at, "0123456789");
    return digits > 0 && at[digits] == '\0';
}

void setDefaults() {
    freeSettingsDirectory();
    freeSettingsScreenshots();
    settings.fullscreen = 0;
    settings.music = 0;
    settings.video = 1;
    settings.scale = 1;
    settings.aspect = 0;
    settingsOrigin.place = settingsFromNowhere;
    settingsOrigin.path[0] = '\0';
}

// The settings file's text, or nullptr; one that is there but is no regular file
// is named on standard error and then treated as missing.
char *readOptionalFile(const char *path) {
    FileRefusal why;
    char *text = readIniFile(path, &why);
    if (text == nullptr && why == fileNotRegular) {
        warnNotRegularFile("settings file", path);
    }
    return text;
}

// A relative directory= names a folder beside the settings file that says it.
void placeDirectoryBesideSettings() {
    const char *slash = strrchr(settingsOrigin.path, '/');
    if (settings.directory == nullptr || settings.directory[0] == '/' || slash == nullptr) {
        return;
    }
    std::string joined(settingsOrigin.path, slash - settingsOrigin.path + 1);
    joined += settings.directory;
    free(settings.directory);
    settings.directory = strdup(joined.c_str());
}

void applyFile(char *text, SettingsPlace place, const char *path) {
    settingsOrigin.place = place;
    snprintf(settingsOrigin.path, sizeof settingsOrigin.path, "%s", path);
    parseIniFileText(text, path, applySetting);
    free(text);
    placeDirectoryBesideSettings();
}

} // namespace

void applySetting(const char *key, const char *value) {
    for (const TextSetting &s : textSettings) {
        if (strcmp(key, s.key) == 0) {
            free(*s.field);
            *s.field = strdup(value);
            return;
        }
    }
    for (const NumericSetting &s : numericSettings) {
        if (strcmp(key, s.key) != 0) {
            continue;
        }
        int n = atoi(value);
        *s.field = (n >= 0 && n <= s.highest) ? n : 0;
        if (!isWholeNumber(value)) {
            warnAtPair("'%s' is not a number; %s reads as %d", value, key, *s.field);
        } else if (n != *s.field) {
            warnAtPair("%s=%s is out of range 0-%d; %s reads as 0", key, value, s.highest, key);
        }
        return;
    }
    warnAtPair("unknown setting '%s'", key);
}

void freeSettingsDirectory() {
    free(settings.directory);
    settings.directory = nullptr;
}

void freeSettingsScreenshots() {
    free(settings.screenshots);
    settings.screenshots = nullptr;
}

bool loadSettingsFrom(const char *configFile) {
    setDefaults();
    if (configFile != nullptr) {
        FileRefusal why;
        char *text = readIniFile(configFile, &why);
        if (text == nullptr) {
            fprintf(stderr, "varnok: cannot read the settings file '%s': %s\n", configFile,
                    why == fileNotRegular ? "not a regular file" : strerror(errno));
            return false;
        }
        applyFile(text, settingsFromOption, configFile);
        return true;
    }
    char *text = readOptionalFile("settings.ini");
    if (text != nullptr) {
        applyFile(text, settingsFromCurrent, "settings.ini");
        return true;
    }
    std::string folder = userConfigFolder();
    if (folder.empty()) {
        return true;
    }
    std::string path = folder + "/settings.ini";
    text = readOptionalFile(path.c_str());
    if (text != nullptr) {
        applyFile(text, settingsFromUserFolder, path.c_str());
    }
    return true;
}

void loadSettings() {
    loadSettingsFrom(nullptr);
}
