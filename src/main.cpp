// Entry point: the whole program lives in the engine library; the desktop's
// front end is chosen here.
#include <SDL.h>

#include "1-app/desktop_front_end.h"
#include "1-app/run/native_loop.h"

int main(int argc, char **argv) {
    useFrontEnd(desktopFrontEnd);
    return runGame(argc, argv);
}
