#include "1-app/run/native_loop.h"

#include <SDL.h>

#include "1-app/config/settings.h"
#include "1-app/front_end.h"
#include "1-app/run/hang_up.h"
#include "1-app/run/main_loop.h"
#include "1-app/run/shutdown.h"
#include "1-app/run/startup.h"

void runMainLoop() {
    SDL_Event event;
    while (frontEnd().waitForEvent(&event) && runPass(&event)) {
    }
}

int runGame(int argc, char **argv) {
    int status = 0;
    if (!startGame(argc, argv, status)) {
        return status;
    }
    if (settings.autosave == 1) {
        endGracefullyOnHangUp(saveBeforeTheEnd);
    }
    runMainLoop();
    return endGame(0);
}
