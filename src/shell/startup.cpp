#include "shell/startup.h"

#include "audio/music.h"
#include "data/game_data.h"
#include "shell/animation.h"
#include "shell/input_stack.h"
#include "shell/main_loop.h"
#include "shell/settings.h"
#include "shell/shutdown.h"
#include "shell/timer.h"
#include "shell/video.h"

namespace {

// Bottom handler until the game's command handler exists: keys are ignored.
void ignoreKey(GameKey, intptr_t) {
}

} // namespace

void runGame() {
    loadSettings();
    initVideo();
    // Without audio the game simply stays silent.
    initAudio();
    loadGameData();
    startTickTimer();
    addScheduledTask(animationTick, tickInterval);
    pushInputHandler(ignoreKey, 0);
    runMainLoop();
    shutdownAndExit();
}
