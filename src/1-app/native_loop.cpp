#include "1-app/native_loop.h"

#include <SDL.h>

#include "1-app/desktop_presenter.h"
#include "1-app/event_wait.h"
#include "1-app/main_loop.h"
#include "1-app/shutdown.h"
#include "1-app/startup.h"

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
