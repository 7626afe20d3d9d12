// Entry point: the whole program lives in the engine library.
#include <SDL.h>

#include "1-app/run/native_loop.h"

int main(int argc, char **argv) {
    return runGame(argc, argv);
}
