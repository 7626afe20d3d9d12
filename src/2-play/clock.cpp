#include "2-play/clock.h"

#include "2-play/game.h"

void advanceClock(Game &game) {
    game.gameClock = (game.gameClock + 1) % minutesPerDay;
}
