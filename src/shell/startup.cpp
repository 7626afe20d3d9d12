#include "shell/startup.h"

#include "audio/music.h"
#include "data/game_data.h"
#include "play/commands.h"
#include "shell/animation.h"
#include "shell/input_stack.h"
#include "shell/main_loop.h"
#include "shell/settings.h"
#include "shell/shutdown.h"
#include "shell/timer.h"
#include "shell/video.h"

void runGame() {
    loadSettings();
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
