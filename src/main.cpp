// Entry point: the whole program lives in the engine library.
#include <SDL.h>

#include "1-app/startup.h"

int main(int argc, char **argv) {
    runGame(argc, argv);
}
