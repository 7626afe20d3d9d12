// Video in the page: the canvas is the one display there is, so video starts as
// SDL starts it (the web parts' SDL_Init only starts the clock), and a start-up
// error is shown by the page itself from what the game wrote on standard error.
#include "web_front_end.h"

bool startPageVideo(bool quiet) {
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0) {
        if (!quiet) {
            fprintf(stderr, "Video initialization failed: %s\n", SDL_GetError());
        }
        return false;
    }
    return true;
}
