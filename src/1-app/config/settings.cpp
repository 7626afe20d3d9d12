#include "1-app/config/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "1-app/config/key_lists.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/user_folders.h"
#include "4-data/shown_text.h"
#include "4-data/text_warning.h"

namespace {

Settings record = defaultSettings();
SettingsOrigin origin = {settingsFromNowhere, ""};

// The rows the settings files or the command line gave a value, each with the
// file that gave it ("" for the command line).
std::map<const SettingRow *, std::string> givenIn;

// The settings file whose lines are being applied; "" while none is.
std::string fileBeingRead;

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
    freeSettingTexts();
    record = defaultSettings();
    givenIn.clear();
    origin.place = settingsFromNowhere;
    origin.path[0] = '\0';
}

// A number setting's value read as atoi reads one, up to its first non-digit,
// but without wrapping: a number past what a long holds stays out of range.
long long leadingNumber(const char *value) {
    errno = 0;
    long long n = strtoll(value, nullptr, 10);
    return errno == ERANGE ? -1 : n;
}

// A number setting's value; out of range reads as 0. Both, and a value that is
// no number at all, are told at the line.
void readNumber(const SettingRow &row, const char *value) {
    const char *key = row.key;
    int32_t highest = row.value.highest;
    long long n = leadingNumber(value);
    int32_t &field = *numberOf(record, row);
    bool inRange = n >= 0 && n <= highest;
    field = inRange ? (int32_t)n : 0;
    std::string shown = shownWord(value);
    givenIn[&row] = fileBeingRead;
    if (row.value.kind == buttonKind && (!inRange || !isWholeNumber(value))) {
        // Button 0 would clash with the buttons given 0 by default.
        field = row.value.byDefault;
        warnAtPair("%s=%s is no button 0-%d; %s keeps its default %d", key, shown.c_str(), highest,
                   key, field);
    } else if (!isWholeNumber(value)) {
        warnAtPair("'%s' is not a number; %s reads as %d", shown.c_str(), key, field);
    } else if (n != field) {
        warnAtPair("%s=%s is out of range 0-%d; %s reads as 0", key, shown.c_str(), highest, key);
    }
}

// The settings file's text, or nullptr; one that is there but is no regular file
// is named on standard error and then treated as missing.
char *readOptionalFile(const char *path, bool warn) {
    FileRefusal why;
    char *text = readIniFile(path, &why);
    if (text == nullptr && why == fileNotRegular && warn) {
        warnNotRegularFile("settings file", path);
    }
    return text;
}

// A relative directory= names a folder beside the settings file that says it.
void placeDirectoryBesideSettings() {
    const char *slash = strrchr(origin.path, '/');
    if (record.directory == nullptr || record.directory[0] == '/' || slash == nullptr) {
        return;
    }
    std::string joined(origin.path, slash - origin.path + 1);
    joined += record.directory;
    free(record.directory);
    record.directory = strdup(joined.c_str());
}

// One layer: the file's lines win over those of the files read before it, for
// the keys they set. A directory= of an earlier file, the per-user one, is
// absolute by then and stays where it is.
void applyFile(char *text, SettingsPlace place, const std::string &path) {
    origin.place = place;
    snprintf(origin.path, sizeof origin.path, "%s", path.c_str());
    fileBeingRead = path;
    parseIniFileText(text, path.c_str(), applySetting);
    free(text);
    fileBeingRead.clear();
    placeDirectoryBesideSettings();
}

bool readConfigFile(const char *configFile, bool warn) {
    FileRefusal why;
    char *text = readIniFile(configFile, &why);
    if (text == nullptr) {
        if (warn) {
            fprintf(stderr, "varnok: cannot read the settings file '%s': %s\n",
                    shownText(configFile).c_str(),
                    why == fileNotRegular ? "not a regular file" : strerror(errno));
        }
        return false;
    }
    applyFile(text, settingsFromOption, configFile);
    return true;
}

// The --config file alone, else the layers: the per-user file, then
// ./settings.ini, whose lines win for the keys they set.
bool readSettings(const char *configFile, bool warn) {
    if (configFile != nullptr) {
        if (!readConfigFile(configFile, warn)) {
            return false;
        }
    } else {
        std::string folder = userConfigFolder();
        std::string path = folder + "/settings.ini";
        char *text = folder.empty() ? nullptr : readOptionalFile(path.c_str(), warn);
        if (text != nullptr) {
            applyFile(text, settingsFromUserFolder, path);
        }
        text = readOptionalFile("settings.ini", warn);
        if (text != nullptr) {
            applyFile(text, settingsFromCurrent, "settings.ini");
        }
    }
    warnAboutTwiceBoundKeys(record, settingFile);
    finishTextWarnings();
    return true;
}

} // namespace

const Settings &settings = record;
const SettingsOrigin &settingsOrigin = origin;

Settings &startUpSettings() {
    return record;
}

void applySetting(const char *key, const char *value) {
    const SettingRow *row = findSetting(key);
    if (row == nullptr) {
        warnAtPair("unknown setting '%s'", shownWord(key).c_str());
    } else if (row->value.kind == keyListKind) {
        givenIn[row] = fileBeingRead;
        readKeyList(*keyListOf(record, *row), row->value.command, row->key, value);
    } else if (row->value.kind == textKind) {
        setSetting(*row, 0, value);
    } else {
        readNumber(*row, value);
    }
}

void setSetting(const SettingRow &row, int32_t number, const char *text) {
    givenIn[&row] = fileBeingRead;
    if (numberOf(record, row) != nullptr) {
        *numberOf(record, row) = number;
        return;
    }
    char **field = textOf(record, row);
    if (field == nullptr) {
        return; // a key list is read by readKeyList alone
    }
    free(*field);
    *field = strdup(text);
}

bool settingGiven(const char *key) {
    const SettingRow *row = findSetting(key);
    return row != nullptr && givenIn.count(row) != 0;
}

std::string settingFile(const char *key) {
    const SettingRow *row = findSetting(key);
    auto given = row != nullptr ? givenIn.find(row) : givenIn.end();
    return given != givenIn.end() ? given->second : "";
}

void freeSettingTexts() {
    for (const SettingRow &row : settingTable()) {
        char **field = textOf(record, row);
        if (field != nullptr) {
            free(*field);
            *field = nullptr;
        }
    }
}

bool loadSettingsFrom(const char *configFile, bool warn) {
    setDefaults();
    showTextWarnings(warn);
    bool read = readSettings(configFile, warn);
    showTextWarnings(true);
    return read;
}
