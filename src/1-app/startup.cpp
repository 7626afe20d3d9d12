#include "1-app/startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "1-app/colour_choice.h"
#include "1-app/command_line.h"
#include "1-app/data_lookup.h"
#include "1-app/game_load.h"
#include "1-app/gamepad.h"
#include "1-app/main_loop.h"
#include "1-app/settings.h"
#include "1-app/shutdown.h"
#include "1-app/timer.h"
#include "1-app/video.h"
#include "2-play/animation.h"
#include "2-play/commands.h"
#include "2-play/input_stack.h"
#include "3-audio/music.h"
#include "4-data/file_formats.h"
#include "4-data/paths.h"

namespace {

// The command line and the settings, before anything opens: help, version and
// every mistake end here without a window.
void readConfiguration(int argc, char **argv) {
    CommandLine line;
    switch (parseCommandLine(argc, argv, line)) {
    case showHelp:
        // The keys in force are those of the settings file, whose warnings wait
        // for the game.
        loadSettingsFrom(line.configFile, false);
        printUsage(stdout);
        freeSettingTexts();
        exit(0);
    case showVersion:
        printVersion(stdout);
        exit(0);
    case badCommandLine:
        exit(2);
    case runTheGame:
        break;
    }
    if (!loadSettingsFrom(line.configFile)) {
        fprintf(stderr, "Try 'varnok --help'.\n");
        freeSettingTexts();
        exit(2);
    }
    applyCommandLine(line);
    chooseDataDirectory(line.dataDirectory != nullptr);
    setDataDirectory(settings.directory);
    chooseColourModeByFiles();
    LoadFailure missing;
    std::string explanation;
    if (!checkEssentialFiles(missing, explanation)) {
        endWithFailure(missing, explanation.c_str());
    }
}

} // namespace

void runGame(int argc, char **argv) {
    readConfiguration(argc, argv);
    if (!initVideo()) {
        endProgram(1);
    }
    // Without audio the game simply stays silent.
    initAudio(settings.music == 1);
    LoadFailure failure;
    if (!loadGameData(failure)) {
        endWithFailure(failure);
    }
    setWindowIcon();
    openGamepad();
    startTickTimer();
    addScheduledTask(animationTick, tickInterval);
    pushInputHandler(mainCommandHandler, 0);
    runMainLoop();
    endProgram(0);
}
