#include "1-app/shutdown.h"

#include <SDL.h>
#include <cstdio>

#include "1-app/gamepad.h"
#include "1-app/settings.h"
#include "1-app/timer.h"
#include "1-app/video.h"
#include "2-play/animation.h"
#include "2-play/input_stack.h"
#include "3-audio/music.h"
#include "3-gfx/graphics.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"

void releaseEverything() {
    removeScheduledTaskByAction(animationTick);
    closeGamepad();
    clearInputHandlers();
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

void printLoadFailure(const LoadFailure &failure, const char *explanation) {
    fprintf(stderr, "%s\n", loadFailureLine(failure).c_str());
    if (explanation != nullptr) {
        fprintf(stderr, "%s\n", explanation);
    }
    fflush(stderr);
}

int failGame(const LoadFailure &failure, const char *explanation) {
    printLoadFailure(failure, explanation);
    return endGame(1);
}
