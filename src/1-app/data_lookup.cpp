#include "1-app/data_lookup.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "1-app/game_load.h"
#include "1-app/installed_data.h"
#include "1-app/settings.h"
#include "1-app/user_folders.h"
#include "4-data/file_formats.h"
#include "4-data/file_names.h"
#include "4-data/shown_text.h"

DataChoice dataChoice = {dataNotFound, ""};

namespace {

bool isRegularFile(const char *path) {
    struct stat status;
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

// A file the loaders will be able to open: a regular file this user may read.
bool isReadableFile(const char *path) {
    return isRegularFile(path) && access(path, R_OK) == 0;
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
        snprintf(dataChoice.shown, sizeof dataChoice.shown, "%s", resolved);
        return;
    }
    // A directory that does not exist keeps its name, made absolute.
    char cwd[PATH_MAX];
    std::string shown = directory;
    if (directory[0] != '/' && getcwd(cwd, sizeof cwd) != nullptr) {
        shown = std::string(cwd) + "/" + directory;
    }
    snprintf(dataChoice.shown, sizeof dataChoice.shown, "%s", shown.c_str());
}

void useDirectory(DataSource source, const std::string &directory) {
    dataChoice.source = source;
    free(settings.directory);
    settings.directory = directory.empty() ? nullptr : strdup(directory.c_str());
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
    std::string shown = dataChoice.shown;
    std::string check = "; 'varnok-data check " + shown + "' tells what is wrong with it.";
    switch (dataChoice.source) {
    case dataFromCommandLine:
        return "The data directory " + shown + " was given on the command line" + check;
    case dataFromSettingsFile:
        return "The data directory " + shown + " is named by directory= in " + settingsOrigin.path +
               check;
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

} // namespace

void chooseDataDirectory(bool givenOnCommandLine) {
    if (givenOnCommandLine) {
        dataChoice.source = dataFromCommandLine;
    } else if (settings.directory != nullptr && settings.directory[0] != '\0') {
        dataChoice.source = dataFromSettingsFile;
    } else {
        findDataDirectory();
    }
    showDirectory();
    printf("Data: %s\n", shownText(dataChoice.shown).c_str());
    fflush(stdout);
}

bool checkEssentialFiles(LoadFailure &failure, std::string &explanation) {
    for (const std::string &name : essentialFileNames(settings.video == 1)) {
        char *path = findDataFile(settings.directory, name.c_str());
        bool there = path != nullptr && isReadableFile(path);
        std::string shown = path != nullptr ? path : name;
        free(path);
        if (!there) {
            explanation = whereFrom();
            return failLoad(failure, shown);
        }
    }
    return true;
}
