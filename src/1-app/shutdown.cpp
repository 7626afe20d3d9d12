#include "1-app/shutdown.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>

#include "1-app/settings.h"
#include "1-app/timer.h"
#include "1-app/video.h"
#include "2-play/animation.h"
#include "2-play/input_stack.h"
#include "3-audio/music.h"
#include "3-gfx/graphics.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"

void (*processExit)(int status) = exit;

namespace {

// Each step copes with its resource never having been made: a loader may end
// the program part-way through start-up.
void releaseEverything() {
    removeScheduledTaskByAction(animationTick);
    popInputHandler();
    freeLocationNames();
    freeChunkLayout(); // only present when a start-up load failed part-way
    closeAudio();
    freeGraphics();
    closeVideo();
    freeSettingTexts();
    freeTileNames();
    SDL_Quit();
}

} // namespace

void shutdownAndExit() {
    releaseEverything();
    processExit(0);
    exit(0);
}

void failAndExit(const char *path, const char *problem) {
    if (problem == nullptr) {
        fprintf(stderr, "Cannot open data file '%s'\n", path);
    } else {
        fprintf(stderr, "Bad data file '%s': %s\n", path, problem);
    }
    fflush(stderr);
    releaseEverything();
    processExit(1);
    exit(1);
}

void failWithExplanation(const char *path, const char *explanation) {
    fprintf(stderr, "Cannot open data file '%s'\n%s\n", path, explanation);
    fflush(stderr);
    releaseEverything();
    exit(1);
}
