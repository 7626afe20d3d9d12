#include "1-app/run/shutdown.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

#include "1-app/config/settings.h"
#include "1-app/front_end.h"
#include "1-app/input/gamepad.h"
#include "1-app/run/timer.h"
#include "1-app/display/video.h"
#include "2-play/animation.h"
#include "3-audio/music.h"
#include "3-gfx/graphics.h"
#include "4-data/shown_text.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"

void releaseEverything() {
    removeScheduledTaskByAction(animationTick);
    closeGamepad();
    freeLocationNames();
    closeAudio();
    freeGraphics();
    closeVideo();
    freeSettingTexts();
    freeTileNames();
    SDL_Quit();
}

int endGame(int status) {
    releaseEverything();
    return status;
}

std::vector<std::string> loadFailureLines(const LoadFailure &failure, const char *explanation) {
    std::vector<std::string> lines = {loadFailureLine(failure)};
    for (const char *at = explanation; at != nullptr && *at != '\0';) {
        const char *end = strchr(at, '\n');
        lines.push_back(shownText(end != nullptr ? std::string(at, end - at) : std::string(at)));
        at = end != nullptr ? end + 1 : nullptr;
    }
    return lines;
}

void printLoadFailure(const LoadFailure &failure, const char *explanation) {
    for (const std::string &line : loadFailureLines(failure, explanation)) {
        fprintf(stderr, "%s\n", line.c_str());
    }
    fflush(stderr);
}

int failGame(const LoadFailure &failure, const char *explanation) {
    printLoadFailure(failure, explanation);
    int status = endGame(1);
    // After the teardown: the window of the error is the only one open.
    if (settings.errorWindow == 1 && frontEnd().showErrorWindow != nullptr) {
        frontEnd().showErrorWindow(loadFailureLines(failure, explanation));
    }
    return status;
}
