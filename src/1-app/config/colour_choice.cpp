#include "1-app/config/colour_choice.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "1-app/config/settings.h"
#include "4-data/file_formats.h"
#include "4-data/file_names.h"

std::vector<std::string> missingEssentialFiles(bool fourColour) {
    std::vector<std::string> missing;
    for (const std::string &name : essentialFileNames(fourColour)) {
        char *path = findDataFile(settings.directory, name.c_str());
        // A file the loaders will be able to open: a regular file this user may read.
        struct stat status;
        bool there = path != nullptr && stat(path, &status) == 0 && S_ISREG(status.st_mode) &&
                     access(path, R_OK) == 0;
        if (!there) {
            missing.push_back(path != nullptr ? path : name);
        }
        free(path);
    }
    return missing;
}

void chooseColourModeByFiles() {
    if (settingGiven("video") || missingEssentialFiles(true).empty() ||
        !missingEssentialFiles(false).empty()) {
        return;
    }
    startUpSettings().video = 0;
    printf("Colours: 16 (the 4-colour files are not all there)\n");
    fflush(stdout);
}
