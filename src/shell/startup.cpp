#include "shell/startup.h"

#include <cstdio>
#include <cstdlib>

#include "audio/music.h"
#include "data/game_data.h"
#include "play/commands.h"
#include "shell/animation.h"
#include "shell/command_line.h"
#include "shell/data_lookup.h"
#include "shell/input_stack.h"
#include "shell/main_loop.h"
#include "shell/settings.h"
#include "shell/shutdown.h"
#include "shell/timer.h"
#include "shell/video.h"

namespace {

// The command line and the settings, before anything opens: help, version and
// every mistake end here without a window.
void readConfiguration(int argc, char **argv) {
    CommandLine line;
    switch (parseCommandLine(argc, argv, line)) {
    case showHelp:
        printUsage(stdout);
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
        freeSettingsDirectory();
        exit(2);
    }
    applyCommandLine(line);
    chooseDataDirectory(line.dataDirectory != nullptr);
    checkEssentialFiles();
}

} // namespace

void runGame(int argc, char **argv) {
    readConfiguration(argc, argv);
    initVideo();
    // Without audio the game simply stays silent.
    initAudio();
    loadGameData();
    setWindowIcon();
    startTickTimer();
    addScheduledTask(animationTick, tickInterval);
    pushInputHandler(mainCommandHandler, 0);
    runMainLoop();
    shutdownAndExit();
}
