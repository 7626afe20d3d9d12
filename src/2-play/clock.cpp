#include "2-play/clock.h"

uint16_t GameClock = 0;

void advanceClock() {
    GameClock = (GameClock + 1) % minutesPerDay;
}
