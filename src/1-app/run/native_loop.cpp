#include "1-app/run/native_loop.h"

#include <SDL.h>

#include "1-app/display/desktop_presenter.h"
#include "1-app/run/event_wait.h"
#include "1-app/run/main_loop.h"
#include "1-app/run/shutdown.h"
#include "1-app/run/startup.h"

void runMainLoop() {
    SDL_Event event;
    while (waitForEvent(&event) != 0 && runPass(&event) == 0) {
    }
}

int runGame(int argc, char **argv) {
    usePresenter(desktopPresenter);
    int status = 0;
    if (!startGame(argc, argv, status)) {
        return status;
    }
    runMainLoop();
    return endGame(0);
}
