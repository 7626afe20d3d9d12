#include "1-app/run/startup.h"

#include <cstdio>
#include <string>

#include "1-app/config/colour_choice.h"
#include "1-app/config/command_line.h"
#include "1-app/config/data_lookup.h"
#include "1-app/run/game_load.h"
#include "1-app/input/gamepad.h"
#include "1-app/run/main_loop.h"
#include "1-app/config/settings.h"
#include "1-app/run/shutdown.h"
#include "1-app/run/timer.h"
#include "1-app/saves/save_game.h"
#include "1-app/display/video.h"
#include "3-audio/music.h"
#include "4-data/file_formats.h"
#include "4-data/import_journal.h"
#include "4-data/paths.h"
#include "4-data/shown_text.h"

namespace {

// --saves: the saves of the world chosen, with the names of its places.
int printSaves() {
    LoadFailure failure;
    if (!loadSteps[0].load(failure)) {
        return failGame(failure);
    }
    printSaveListing(stdout);
    return endGame(0);
}

// An import the data tool did not finish in the data folder is finished (or
// undone) before any data file is read: the game plays the old world or the new
// one, never a mix. What was done is said on standard output; a journal that
// cannot be replayed is named on standard error and the folder stays as it is.
void finishImportOf(const char *directory) {
    std::string done, problem;
    if (!finishInterruptedImport(directory != nullptr ? directory : ".", done, problem)) {
        fprintf(stderr, "%s\n", shownText(problem.c_str()).c_str());
    } else if (!done.empty()) {
        printf("%s\n", shownText(done.c_str()).c_str());
    }
    fflush(stdout);
    fflush(stderr);
}

// The command line and the settings, before anything opens: help, version and
// every mistake end here without a window. False with status set when the
// program ends here.
bool readConfiguration(int argc, char **argv, int &status) {
    CommandLine line;
    CommandLineAction action = parseCommandLine(argc, argv, line);
    switch (action) {
    case showHelp:
        // The keys in force are those of the settings file, whose warnings wait
        // for the game.
        loadSettingsFrom(line.configFile, false);
        printUsage(stdout);
        freeSettingTexts();
        status = 0;
        return false;
    case showVersion:
        printVersion(stdout);
        status = 0;
        return false;
    case badCommandLine:
        status = 2;
        return false;
    case runTheGame:
    case listSaves:
        break;
    }
    if (!loadSettingsFrom(line.configFile)) {
        fprintf(stderr, "Try 'varnok --help'.\n");
        freeSettingTexts();
        status = 2;
        return false;
    }
    applyCommandLine(line);
    chooseDataDirectory(line.dataDirectory != nullptr);
    setDataDirectory(settings.directory);
    finishImportOf(settings.directory);
    chooseColourModeByFiles();
    LoadFailure missing;
    std::string explanation;
    if (!checkEssentialFiles(missing, explanation)) {
        status = failGame(missing, explanation.c_str());
        return false;
    }
    if (action == listSaves) {
        status = printSaves();
        return false;
    }
    return true;
}

} // namespace

bool startGame(int argc, char **argv, int &status) {
    if (!readConfiguration(argc, argv, status)) {
        return false;
    }
    if (!initVideo()) {
        status = endGame(1);
        return false;
    }
    // Without audio the game stays silent; initAudio has said why.
    initAudio(settings.music == 1);
    LoadFailure failure;
    if (!loadGameData(failure)) {
        status = failGame(failure);
        return false;
    }
    setWindowIcon();
    openGamepad();
    startTickTimer();
    startPlaying();
    return true;
}
