#include "1-app/config/data_lookup.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "1-app/config/colour_choice.h"
#include "1-app/run/game_load.h"
#include "1-app/config/installed_data.h"
#include "1-app/config/settings.h"
#include "1-app/config/user_folders.h"
#include "4-data/file_names.h"
#include "4-data/shown_text.h"

namespace {

DataChoice choice = {dataNotFound, ""};

bool isRegularFile(const char *path) {
    struct stat status;
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

// True when directory (nullptr: the current one) holds data.ovl in any case.
bool holdsData(const char *directory) {
    char *path = findDataFile(directory, "data.ovl");
    bool found = path != nullptr && isRegularFile(path);
    free(path);
    return found;
}

// The directory in use as an absolute path, for the player to see.
void showDirectory() {
    const char *directory = settings.directory != nullptr ? settings.directory : ".";
    char resolved[PATH_MAX];
    if (realpath(directory, resolved) != nullptr) {
        snprintf(choice.shown, sizeof choice.shown, "%s", resolved);
        return;
    }
    // A directory that does not exist keeps its name, made absolute.
    char cwd[PATH_MAX];
    std::string shown = directory;
    if (directory[0] != '/' && getcwd(cwd, sizeof cwd) != nullptr) {
        shown = std::string(cwd) + "/" + directory;
    }
    snprintf(choice.shown, sizeof choice.shown, "%s", shown.c_str());
}

void useDirectory(DataSource source, const std::string &directory) {
    choice.source = source;
    free(startUpSettings().directory);
    startUpSettings().directory = directory.empty() ? nullptr : strdup(directory.c_str());
}

void findDataDirectory() {
    if (holdsData(nullptr)) {
        useDirectory(dataFromCurrentDirectory, "");
        return;
    }
    std::string userData = userDataFolder();
    if (!userData.empty() && holdsData(userData.c_str())) {
        useDirectory(dataFromUserFolder, userData);
        return;
    }
    std::string demo = installedDemoDirectory();
    if (!demo.empty() && holdsData(demo.c_str())) {
        useDirectory(dataFromInstalledDemo, demo);
        return;
    }
    useDirectory(dataNotFound, "");
}

// The second line of a failure: where the directory came from, what to do.
std::string whereFrom() {
    std::string shown = choice.shown;
    std::string check = "; 'varnok-data check " + shown + "' tells what is wrong with it.";
    switch (choice.source) {
    case dataFromCommandLine:
        return "The data directory " + shown + " was given on the command line" + check;
    case dataFromSettingsFile:
        return "The data directory " + shown + " is named by directory= in " +
               settingFile("directory") + check;
    case dataFromCurrentDirectory:
        return "The data directory " + shown + " is the current directory, which holds data.ovl" +
               check;
    case dataFromUserFolder:
        return "The data directory " + shown + " is the per-user data folder" + check;
    case dataFromInstalledDemo:
        return "The data directory " + shown + " is the demo world installed with the game" + check;
    case dataNotFound:
        break;
    }
    std::string userData = userDataFolder();
    if (userData.empty()) {
        userData = "$XDG_DATA_HOME/varnok/data";
    }
    return "No data directory was given and none was found (the current directory, " + userData +
           ", an installed demo world): give one with --data DIR or directory= in "
           "settings.ini, or copy the game into " +
           userData + "; 'varnok-data check DIR' tells whether a directory will do.";
}

// The line after the first missing file's: how many more are missing, when a
// data directory was found or given and is there (empty for none).
std::string otherMissingFiles(size_t others) {
    struct stat status;
    if (others == 0 || choice.source == dataNotFound || stat(choice.shown, &status) != 0 ||
        !S_ISDIR(status.st_mode)) {
        return "";
    }
    return others == 1 ? "1 other file the game needs is missing too.\n"
                       : std::to_string(others) + " other files the game needs are missing too.\n";
}

} // namespace

const DataChoice &dataChoice = choice;

void chooseDataDirectory(bool givenOnCommandLine) {
    if (givenOnCommandLine) {
        choice.source = dataFromCommandLine;
    } else if (settings.directory != nullptr && settings.directory[0] != '\0') {
        choice.source = dataFromSettingsFile;
    } else {
        findDataDirectory();
    }
    showDirectory();
    printf("Data: %s\n", shownText(choice.shown).c_str());
    fflush(stdout);
}

bool checkEssentialFiles(LoadFailure &failure, std::string &explanation) {
    std::vector<std::string> missing = missingEssentialFiles(settings.video == 1);
    if (missing.empty()) {
        return true;
    }
    explanation = otherMissingFiles(missing.size() - 1) + whereFrom();
    return failLoad(failure, missing[0]);
}
